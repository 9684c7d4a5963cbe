#include "update_dialogs.h"

#include "calculator/control_texts.h"
#include "update_check.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The dialog's background picture, drawn here: a soft blue fade with a light band.
QPixmap background(QSize size)
{
    QPixmap picture(size);
    QPainter p(&picture);
    QLinearGradient fade(0, 0, 0, size.height());
    fade.setColorAt(0, QColor(0xE8, 0xF0, 0xF8));
    fade.setColorAt(1, QColor(0xB8, 0xCC, 0xE0));
    p.fillRect(picture.rect(), fade);
    p.fillRect(0, 0, size.width(), 4, QColor(0x3A, 0x6E, 0xA5));
    return picture;
}

} // namespace

NewVersionDialog::NewVersionDialog(QUrl downloadPage, QWidget* parent)
    : QDialog(parent), m_page(std::move(downloadPage)), m_texts(NewVersionDialogTexts())
{
    setObjectName(QStringLiteral("Tfrm_NeueVersion"));
    setProperty(ReportedClassNameProperty, QStringLiteral("Tfrm_NeueVersion"));
    setFixedSize(380, 160);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("img_neueVersion_hg"));
    picture->setGeometry(rect());
    picture->setPixmap(background(size()));

    const auto label = [this](const char* name, QRect place) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(place);
        return l;
    };
    QFont bold = font();
    bold.setBold(true);
    label("lbl_neueVersion", {16, 16, 350, 20})->setFont(bold);
    label("lbl_download", {16, 48, 110, 20});
    label("Label1", {126, 48, 24, 20});
    QLabel* link = label("lbl_link", {150, 48, 220, 20});
    link->setText(m_page.toString());
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QStringLiteral("color: #1A4FA0; text-decoration: underline;"));
    link->installEventFilter(this);

    auto* never = new QCheckBox(this);
    never->setObjectName(QStringLiteral("chk_neueVersion"));
    never->setGeometry(16, 80, 350, 20);
    connect(never, &QCheckBox::clicked, this, &NewVersionDialog::chk_neueVersionClick);

    auto* download = new QPushButton(this);
    download->setObjectName(QStringLiteral("btn_ok"));
    download->setGeometry(176, 120, 90, 26);
    download->setDefault(true);
    connect(download, &QPushButton::clicked, this, &NewVersionDialog::btn_okClick);
    auto* next = new QPushButton(this);
    next->setObjectName(QStringLiteral("btn_weiter"));
    next->setGeometry(274, 120, 90, 26);
    connect(next, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

bool NewVersionDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched->objectName() == u"lbl_link" && event->type() == QEvent::MouseButtonRelease) {
        lbl_linkClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void NewVersionDialog::retranslate()
{
    m_texts.ApplyTo(*this);
}

void NewVersionDialog::btn_okClick()
{
    if (OpenPage)
        OpenPage(m_page);
    accept();
    if (EndProgram)
        EndProgram();
}

void NewVersionDialog::chk_neueVersionClick(bool checked)
{
    // Unticking it again writes nothing.
    if (checked && StopSearching)
        StopSearching();
}

UpdateQuestionDialog::UpdateQuestionDialog(QWidget* parent)
    : QDialog(parent), m_texts(AskForUpdateDialogTexts())
{
    setObjectName(QStringLiteral("Tfrm_AskForUpdate"));
    setProperty(ReportedClassNameProperty, QStringLiteral("Tfrm_AskForUpdate"));
    setFixedSize(420, 230);
    m_info = new QPlainTextEdit(this);
    m_info->setObjectName(QStringLiteral("memo_info"));
    m_info->setReadOnly(true);
    m_info->setGeometry(12, 12, 396, 150);
    m_autoUpdate = new QCheckBox(this);
    m_autoUpdate->setObjectName(QStringLiteral("chk_autoupdate"));
    m_autoUpdate->setGeometry(12, 172, 300, 20);
    m_start = new QPushButton(this);
    m_start->setObjectName(QStringLiteral("btn_start"));
    m_start->setGeometry(318, 194, 90, 26);
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, &UpdateQuestionDialog::btn_startClick);
    retranslate();
}

void UpdateQuestionDialog::retranslate()
{
    m_texts.ApplyTo(*this);
    m_info->setPlainText(AskForUpdateInfoLines().join(u'\n'));
}

void UpdateQuestionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_start->setFocus();
}

void UpdateQuestionDialog::btn_startClick()
{
    if (Chosen)
        Chosen(m_autoUpdate->isChecked());
    accept();
}
