#include "main_window.h"

#include "calculator/align_edit.h"
#include "calculator/image_button.h"
#include "calculator/keypad_page.h"
#include "calculator/services.h"

#include "title_bar.h"

#include <QPainter>
#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>

namespace {
constexpr int kTitleBarHeight = 22;
// The strip below the pages is kept free for the banner.
constexpr int kBannerStripHeight = 66;

QWidget* emptyPage(const char* objectName)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(objectName));
    return page;
}
} // namespace

class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 12;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

Tfrm_calc::Tfrm_calc(UserFeedback& feedback, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_feedback(feedback)
{
    setObjectName(QStringLiteral("Tfrm_calc"));
    setWindowTitle(QStringLiteral("Quorvanta"));
    setFixedSize(ClientWidth, ClientHeight);

    m_titleBar = new TitleBar(QStringLiteral("Quorvanta"), this);
    m_titleBar->setObjectName(QStringLiteral("img_move"));
    m_titleBar->setGeometry(0, 0, ClientWidth, kTitleBarHeight);
    connect(m_titleBar, &TitleBar::dragged, this, [this](QPoint to) { move(to); });

    auto* minimize = new ImageButton(QStringLiteral("_"), this);
    minimize->setObjectName(QStringLiteral("img_minimize"));
    minimize->setGeometry(ClientWidth - 44, 2, 20, 18);
    connect(minimize, &ImageButton::clicked, this, &QWidget::showMinimized);
    auto* off = new ImageButton(QStringLiteral("×"), this);
    off->setObjectName(QStringLiteral("img_off"));
    off->setGeometry(ClientWidth - 22, 2, 20, 18);
    connect(off, &ImageButton::clicked, this, &QWidget::close);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pco_main"));
    m_pages->setGeometry(0, kTitleBarHeight, ClientWidth,
                         ClientHeight - kTitleBarHeight - kBannerStripHeight);
    // Five captions side by side in 372 pixels: tabs with less padding than the style's.
    auto* tabStyle = new CompactTabStyle;
    tabStyle->setParent(m_pages->tabBar());
    m_pages->tabBar()->setStyle(tabStyle);
    m_keypad = new KeypadPage(m_display);
    m_pages->addTab(m_keypad, QStringLiteral("Rechner"));
    m_pages->addTab(emptyPage("tsh_formelrechner"), QStringLiteral("Formeln"));
    m_pages->addTab(emptyPage("tsh_waehrungsrechner"), QStringLiteral("Währungen"));
    m_pages->addTab(emptyPage("tsh_einheiten"), QStringLiteral("SI-Einheiten"));
    m_pages->addTab(emptyPage("tshRohrauslegung"), QStringLiteral("Rohrauslegung"));

    connectErrorSignals();
}

void Tfrm_calc::connectErrorSignals()
{
    for (TAlignEdit* field : findChildren<TAlignEdit*>())
        connect(field, &TAlignEdit::errorSignal, this, [this](int n) { m_feedback.ErrorSignal(n); });
}

void Tfrm_calc::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0x97, 0xA4, 0xA1));
}

