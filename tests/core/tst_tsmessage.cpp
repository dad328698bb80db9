#include "framelesswindow.h"
#include "primarybutton.h"
#include "spacer.h"
#include "tsmessage.h"
#include "zerundarkstyle.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

QList<FramelessWindow *> panelsOf(QWidget *host)
{
    return host->findChildren<FramelessWindow *>(QString(), Qt::FindDirectChildrenOnly);
}

QString titleOf(FramelessWindow *panel)
{
    return panel->findChild<QLabel *>(QStringLiteral("titleText"))->text();
}

QLabel *textLabel(FramelessWindow *panel)
{
    return qobject_cast<QLabel *>(panel->findChild<QScrollArea *>()->widget());
}

} // namespace

class TestTsMessage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void titles_data();
    void titles();
    void panelLayout();
    void longTextScrolls();
    void closeClosesOnlyThatPanel();
    void withoutActiveWindow();
    void intoMainWindowWhileADialogIsActive();

private:
    QScopedPointer<QWidget> host;
};

void TestTsMessage::initTestCase()
{
    QApplication::setStyle(new ZerunDarkStyle);
}

void TestTsMessage::init()
{
    host.reset(new QWidget);
    host->resize(700, 500);
    host->show();
    host->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(host.data()));
    QCOMPARE(QApplication::activeWindow(), host.data());
}

void TestTsMessage::cleanup()
{
    host.reset();
}

void TestTsMessage::titles_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("warning") << 0 << "Warning";
    QTest::newRow("information") << 1 << "Information";
    QTest::newRow("own title") << 2 << "Check for Updates";
}

void TestTsMessage::titles()
{
    QFETCH(int, kind);
    const QString text = QStringLiteral("You currently have the latest version.");
    if (kind == 0) {
        TsMessage::warning(text);
    } else if (kind == 1) {
        TsMessage::information(text);
    } else {
        TsMessage::message(QStringLiteral("Check for Updates"), text);
    }
    const auto panels = panelsOf(host.data());
    QCOMPARE(panels.size(), 1);
    QTEST(titleOf(panels.first()), "title");
    QCOMPARE(textLabel(panels.first())->text(), text);
}

void TestTsMessage::panelLayout()
{
    TsMessage::message(QStringLiteral("Title"), QStringLiteral("Word"));
    TsMessage::message(QStringLiteral("Second"), QStringLiteral("Word"));
    const auto panels = panelsOf(host.data());
    QCOMPARE(panels.size(), 2);
    for (FramelessWindow *panel : panels) {
        // A window of its own above the host, not modal.
        QVERIFY(panel->isWindow());
        QVERIFY(!panel->isModal());
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->size(), QSize(640, 360));
        QCOMPARE(panel->minimumSize(), QSize(640, 360));
        QCOMPARE(panel->maximumSize(), QSize(640, 360));
        // Centred on the active window: two panels stack at the same place.
        QCOMPARE(panel->pos(), host->mapToGlobal(QPoint(350 - 320, 250 - 180)));

        auto *area = panel->findChild<QScrollArea *>();
        QCOMPARE(area->height(), 240);
        QCOMPARE(area->styleSheet(), QStringLiteral("border: 0px;"));
        QCOMPARE(area->alignment(), Qt::AlignCenter);
        QLabel *label = textLabel(panel);
        QCOMPARE(label->width(), 490);
        QVERIFY(label->wordWrap());
        QCOMPARE(label->alignment(), Qt::AlignCenter);

        const auto buttons = panel->findChildren<PrimaryButton *>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.first()->text(), QStringLiteral("Close"));
        QVERIFY(buttons.first()->isDefault());
        // The spacer pushes the button to the right edge.
        auto *spacer = panel->findChild<Spacer *>();
        QVERIFY(spacer);
        QVERIFY(spacer->geometry().right() < buttons.first()->geometry().left());
    }
}

void TestTsMessage::longTextScrolls()
{
    QStringList lines;
    for (int line = 0; line < 60; ++line) {
        lines << QStringLiteral("Line %1 of a long report").arg(line);
    }
    TsMessage::information(lines.join(QStringLiteral("<br>")));
    FramelessWindow *panel = panelsOf(host.data()).first();
    auto *area = panel->findChild<QScrollArea *>();
    QTRY_VERIFY(area->verticalScrollBar()->maximum() > 0);
    QCOMPARE(panel->size(), QSize(640, 360));
    QCOMPARE(area->height(), 240);
}

void TestTsMessage::closeClosesOnlyThatPanel()
{
    TsMessage::message(QStringLiteral("One"), QStringLiteral("1"));
    TsMessage::message(QStringLiteral("Two"), QStringLiteral("2"));
    auto panels = panelsOf(host.data());
    QCOMPARE(panels.size(), 2);
    QPointer<FramelessWindow> first = panels.at(0);
    QPointer<FramelessWindow> second = panels.at(1);
    QTest::mouseClick(second->findChild<PrimaryButton *>(), Qt::LeftButton);
    QTRY_VERIFY(!second || !second->isVisible());
    // Closed, not deleted: the panel goes with the window it was opened on.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(second);
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QVERIFY(host->isVisible());
    // Esc closes the panel that has the keyboard, and only it.
    QTest::keyClick(first->findChild<PrimaryButton *>(), Qt::Key_Escape);
    QVERIFY(!first->isVisible());
    QVERIFY(host->isVisible());
}

void TestTsMessage::withoutActiveWindow()
{
    host.reset();
    QTRY_VERIFY(!QApplication::activeWindow());
    TsMessage::warning(QStringLiteral("Nobody is looking"));
    FramelessWindow *panel = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *candidate = qobject_cast<FramelessWindow *>(widget)) {
            panel = candidate;
        }
    }
    QVERIFY(panel);
    QVERIFY(panel->isWindow());
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->size(), QSize(640, 360));
    QCOMPARE(titleOf(panel), QStringLiteral("Warning"));
    QTest::mouseClick(panel->findChild<PrimaryButton *>(), Qt::LeftButton);
    QTRY_VERIFY(!panel->isVisible());
}

void TestTsMessage::intoMainWindowWhileADialogIsActive()
{
    // A panel opened while a prompt is active goes into the window under the prompt, not into
    // the prompt, and carries the dark look.
    QDialog prompt(host.data());
    prompt.show();
    prompt.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&prompt));
    TsMessage::information(QStringLiteral("Folder created"));
    QVERIFY(prompt.findChildren<FramelessWindow *>().isEmpty());
    const auto panels = panelsOf(host.data());
    QCOMPARE(panels.size(), 1);
    QCOMPARE(panels.first()->pos(), host->mapToGlobal(QPoint(350 - 320, 250 - 180)));
    QCOMPARE(panels.first()->palette().color(QPalette::Window), QColor(53, 53, 53));
}

QTEST_MAIN(TestTsMessage)
#include "tst_tsmessage.moc"
