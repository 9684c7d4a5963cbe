#include "shell/message_dialog.h"
#include "support/modal_watchdog.h"
#include "support/recording_services.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/qt_printers.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

class MessageDialogTest : public testing::Test {
protected:
    MessageDialogTest()
    {
        m_main.resize(372, 582);
        m_main.show();
    }

    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    template <typename T> T* child(const char* name)
    {
        return m_service.Dialog().findChild<T*>(QString::fromLatin1(name));
    }
    QStringList visibleButtons()
    {
        QStringList captions;
        for (const char* name : {"bbn_ok", "bbn_nein"})
            if (button(name)->isVisible())
                captions.append(button(name)->text());
        return captions;
    }
    QString visibleIcon()
    {
        for (const char* name : {"img_meldung", "img_problem", "img_fehler", "img_abfrage"})
            if (child<QLabel>(name)->isVisible())
                return QString::fromLatin1(name);
        return QString();
    }
    // Shows a modal kind, runs `whileOpen` inside its event loop, and returns the answer.
    bool showModal(MessageKind kind, const QString& text, std::function<void()> whileOpen)
    {
        ExpectModalDialog expected;
        QTimer::singleShot(0, &m_main, [&] {
            whileOpen();
            if (m_service.Dialog().isVisible())
                m_service.Dialog().done(QDialog::Rejected);
        });
        return m_service.ShowMessage(kind, text);
    }

    QWidget m_main;
    RecordingServices m_sounds;
    MessageDialogService m_service{m_sounds, &m_main};
};

TEST_F(MessageDialogTest, EveryKindShowsItsCaptionIconButtonsAndSound)
{
    const struct {
        MessageKind kind;
        const char* caption;
        const char* icon;
        QStringList buttons;
        std::vector<int> sounds;
    } rows[] = {
        {MessageKind::Notice, "Hinweis", "img_meldung", {}, {}},
        {MessageKind::Warning, "Warnung", "img_problem", {}, {1}},
        {MessageKind::Problem, "Problem", "img_problem", {}, {3}},
        {MessageKind::Error, "Fehler", "img_fehler", {QStringLiteral("OK")}, {2}},
        {MessageKind::Question,
         "Frage",
         "img_abfrage",
         {QStringLiteral("ja"), QStringLiteral("nein")},
         {}},
        {MessageKind::NoticeModal, "Hinweis", "img_meldung", {QStringLiteral("Weiter")}, {4}},
        {MessageKind::WarningModal, "Warnung", "img_problem", {QStringLiteral("Weiter")}, {1}},
        {MessageKind::ProblemModal, "Problem", "img_problem", {QStringLiteral("Weiter")}, {3}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        m_sounds.signals_.clear();
        const auto check = [&] {
            MessageDialog& dialog = m_service.Dialog();
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(row.caption));
            EXPECT_EQ(dialog.MessageText(), u"Text");
            EXPECT_EQ(visibleIcon(), QString::fromLatin1(row.icon));
            EXPECT_EQ(visibleButtons(), row.buttons);
            EXPECT_EQ(m_sounds.signals_, row.sounds);
            EXPECT_EQ(dialog.isModal(), !row.buttons.isEmpty());
        };
        if (row.buttons.isEmpty()) {
            m_service.ShowMessage(row.kind, QStringLiteral("Text"));
            check();
            m_service.ShowMessage(MessageKind::Close, QString());
            EXPECT_FALSE(m_service.Dialog().isVisible());
        } else {
            showModal(row.kind, QStringLiteral("Text"), check);
        }
    }
}

TEST_F(MessageDialogTest, ANewMessageReplacesTheVisibleNotice)
{
    m_service.ShowMessage(MessageKind::Notice, QStringLiteral("Internetaktualisierung läuft..."));
    m_service.ShowMessage(MessageKind::Warning, QStringLiteral("Zweite"));
    MessageDialog& dialog = m_service.Dialog();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.MessageText(), u"Zweite");
    EXPECT_EQ(dialog.windowTitle(), u"Warnung");
    EXPECT_EQ(QApplication::topLevelWidgets().count(&dialog), 1);
    m_service.ShowMessage(MessageKind::Close, QString());
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(MessageDialogTest, QuestionKeysAnswerByFirstLetterAndABlankDoesNot)
{
    // Keys go where the user's would: to the button that has the focus.
    const auto press = [this](char key) {
        QWidget* focused = m_service.Dialog().focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, key);
    };
    m_service.SetQuestionCaptions(QStringLiteral("Speichern"), QStringLiteral("Verwerfen"));
    m_service.SetAnswer(true);
    bool stillOpen = false;
    const bool answer = showModal(MessageKind::Question, QStringLiteral("Speichern?"), [&] {
        EXPECT_EQ(visibleButtons(),
                  (QStringList{QStringLiteral("Speichern"), QStringLiteral("Verwerfen")}));
        press(' ');
        press('x');
        stillOpen = m_service.Dialog().isVisible();
        press('V');
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(answer);
    EXPECT_EQ(m_sounds.signals_, std::vector<int>{1}); // only the "x"

    // The captions were the last question's only.
    EXPECT_TRUE(showModal(MessageKind::Question, QStringLiteral("Weiter?"), [&] {
        EXPECT_EQ(visibleButtons(), (QStringList{QStringLiteral("ja"), QStringLiteral("nein")}));
        press('j');
    }));
}

TEST_F(MessageDialogTest, ThePointerGoesToTheDefaultButtonAndBack)
{
    const QPoint before(5, 5);
    QCursor::setPos(before);
    for (bool yes : {true, false}) {
        SCOPED_TRACE(yes);
        m_service.SetAnswer(yes);
        showModal(MessageKind::Question, QStringLiteral("?"), [&] {
            QPushButton* focused = button(yes ? "bbn_ok" : "bbn_nein");
            EXPECT_EQ(m_service.Dialog().focusWidget(), focused);
            EXPECT_EQ(QCursor::pos(), focused->mapToGlobal(focused->rect().center()));
        });
        EXPECT_EQ(QCursor::pos(), before);
    }
}

TEST_F(MessageDialogTest, DoubleClickOnAnErrorEndsTheProgram)
{
    int ended = 0;
    m_service.Dialog().EndProgram = [&] { ++ended; };
    showModal(MessageKind::Error, QStringLiteral("Fehler"),
              [&] { QTest::mouseDClick(child<QLabel>("lbl_meldung"), Qt::LeftButton); });
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(m_service.Dialog().isVisible());
}

} // namespace
