#include "framelesswindow.h"
#include "updatedialog.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

// The update dialog on its own: what it shows, and what each button does with the action it is
// given. How the update check reaches it is tested with the check.
class TestUpdateDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void buttons_data();
    void buttons();
    void notesAsPlainText();

private:
    static QPushButton *button(QWidget *dialog, const QString &text);
};

QPushButton *TestUpdateDialog::button(QWidget *dialog, const QString &text)
{
    for (QPushButton *candidate : dialog->findChildren<QPushButton *>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

void TestUpdateDialog::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
}

void TestUpdateDialog::buttons_data()
{
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("downloads");
    QTest::newRow("download") << "Download in External Browser" << 1;
    QTest::newRow("cancel") << "Cancel" << 0;
    QTest::newRow("Esc") << "" << 0;
}

void TestUpdateDialog::buttons()
{
    QFETCH(QString, pressed);
    QFETCH(int, downloads);

    QWidget window;
    window.resize(900, 700);
    window.show();
    QApplication::setActiveWindow(&window);
    QTRY_COMPARE(QApplication::activeWindow(), &window);

    int ran = 0;
    QPointer<FramelessWindow> dialog =
        showUpdateDialog(QStringLiteral("v1.0.12"), QStringLiteral("Fixes"), [&ran] { ++ran; }, {});
    QVERIFY(dialog);
    QCOMPARE(dialog->parentWidget(), &window);
    QCOMPARE(dialog->size(), QSize(640, 360));
    QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("titleText"))->text(),
             QStringLiteral("Check for Updates"));
    QVERIFY(dialog->isVisible());

    // Opaque: no black band around it without a compositor.
    QVERIFY(!dialog->testAttribute(Qt::WA_TranslucentBackground));
    if (pressed.isEmpty()) {
        QTest::keyClick(dialog, Qt::Key_Escape);
    } else {
        QPushButton *target = button(dialog, pressed);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton);
    }
    QVERIFY(!dialog->isVisible());
    QCOMPARE(ran, downloads);
    // Closing hides it; it goes with its parent.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog);
}

void TestUpdateDialog::notesAsPlainText()
{
    // Without an action the download button only closes the dialog.
    QPointer<FramelessWindow> dialog = showUpdateDialog(
        QString(), QStringLiteral("<b>Bold</b>\n<a href=\"http://x\">link</a>"), {}, {});
    QVERIFY(dialog);
    const QTextBrowser *browser = dialog->findChild<QTextBrowser *>();
    QVERIFY(browser);
    QCOMPARE(browser->toPlainText(), QStringLiteral("<b>Bold</b>\n<a href=\"http://x\">link</a>"));
    QVERIFY(!browser->openLinks());
    QTest::mouseClick(button(dialog, QStringLiteral("Download in External Browser")),
                      Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    delete dialog;
}

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
