// Widget tests run on the offscreen platform with one QApplication for the whole binary, and
// with a watchdog against modal dialogs nobody expected.
#include "support/modal_watchdog.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

int expectedDialogs = 0;

QString dialogText(QWidget* dialog)
{
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
        return box->text();
    if (const QVariant message = dialog->property("messageText"); message.isValid())
        return message.toString();
    QStringList texts;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts.append(label->text());
    return texts.join(u'\n');
}

// Watches every window that is shown. A modal one is reported when it shows, and closed from
// its own event loop: closing it while it is still being shown would leave exec() waiting
// for a dialog that is already gone.
class ModalWatchdog : public QObject {
protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() != QEvent::Show || expectedDialogs > 0 || !object->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(object);
        if (!w->isWindow() || !w->isModal())
            return false;
        ADD_FAILURE() << "unexpected modal dialog \"" << w->windowTitle().toStdString()
                      << "\": " << dialogText(w).toStdString();
        QMetaObject::invokeMethod(
            w,
            [w] {
                if (!w->isVisible())
                    return;
                if (auto* dialog = qobject_cast<QDialog*>(w))
                    dialog->reject();
                else
                    w->close();
            },
            Qt::QueuedConnection);
        return false;
    }
};

} // namespace

ExpectModalDialog::ExpectModalDialog()
{
    ++expectedDialogs;
}

ExpectModalDialog::~ExpectModalDialog()
{
    --expectedDialogs;
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ModalWatchdog watchdog;
    app.installEventFilter(&watchdog);
    return RUN_ALL_TESTS();
}
