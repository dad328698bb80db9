// Shows the installer's main window in its frame on a real X display, the way start-up builds
// it, saves a screenshot and checks a few of its pixels.
//
// Run it under Xvfb:
//   QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" build/bin/tst_framescreenshot
// Started any other way (CTest starts it on the offscreen platform) it re-runs itself like that.
// The PNG goes to $ZERUN_SCREENSHOT, else build/screenshots/zerun-frame.png.

#include "framelesswindow.h"
#include "tsfont.h"
#include "zerun.h"
#include "zerundarkstyle.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <unistd.h>
#include <vector>

class TestFrameScreenshot : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowInFrame();
};

void TestFrameScreenshot::mainWindowInFrame()
{
    QApplication::setStyle(new ZerunDarkStyle);
    QApplication::setFont(QFont(QStringLiteral("Lato"), 10));
    // The fonts are read from the working directory, as when the program runs in its folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(ZERUN_BIN_DIR));
    TsFont::loadFonts();
    QDir::setCurrent(previous);

    FramelessWindow frame(nullptr);
    frame.setWindowTitle(QStringLiteral("Zerun Installer"));
    frame.setTitleBarColor(QStringLiteral("252,205,63"), true);
    Zerun mainWindow;
    frame.setContent(&mainWindow, false);
    frame.setMaximumHeight(480);
    frame.move(40, 40);
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);

    auto *titlebar = frame.findChild<QWidget *>(QStringLiteral("windowTitlebar"));
    auto *windowFrame = frame.findChild<QWidget *>(QStringLiteral("windowFrame"));
    auto *content = frame.findChild<QWidget *>(QStringLiteral("windowContent"));
    QVERIFY(titlebar && windowFrame && content);
    QCOMPARE(frame.height(), 480);

    // Points to look at, in frame coordinates: the title bar beside the title, the frame's
    // left border, and the window background between the frame border and the content.
    const QPoint inTitlebar =
        titlebar->mapTo(&frame, QPoint(titlebar->width() * 3 / 4, titlebar->height() / 2));
    const QPoint onBorder = windowFrame->mapTo(&frame, QPoint(0, windowFrame->height() / 2));
    const QPoint inBackground =
        windowFrame->mapTo(&frame, QPoint(1, content->geometry().top() + 4));

    QImage shot;
    const auto grab = [&] {
        QScreen *screen = frame.screen();
        const QPoint origin = frame.mapToGlobal(QPoint(0, 0));
        shot =
            screen->grabWindow(0, origin.x(), origin.y(), frame.width(), frame.height()).toImage();
        return shot.pixelColor(inTitlebar).rgb();
    };
    // The first activation restyles the frame; wait until the screen shows all of it.
    QTRY_VERIFY(grab() == QColor(252, 205, 63).rgb() &&
                shot.pixelColor(onBorder).rgb() == QColor(252, 205, 63).rgb());

    const QString path = qEnvironmentVariableIsSet("ZERUN_SCREENSHOT")
                             ? qEnvironmentVariable("ZERUN_SCREENSHOT")
                             : QStringLiteral(ZERUN_SCREENSHOT_DEFAULT);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(shot.save(path, "PNG"));
    std::printf("screenshot saved to %s\n", qPrintable(QFileInfo(path).absoluteFilePath()));

    QCOMPARE(shot.pixelColor(inTitlebar).rgb(), QColor(252, 205, 63).rgb());
    QCOMPARE(shot.pixelColor(onBorder).rgb(), QColor(252, 205, 63).rgb());
    // The virtual display has no compositor: no band for a shadow, which would show black.
    QCOMPARE(onBorder.x(), 0);
    QCOMPARE(shot.pixelColor(inBackground + QPoint(1, 0)).rgb(), QColor(53, 53, 53).rgb());

    // Deactivated, the frame loses its gold border but keeps the gold title bar.
    frame.on_applicationStateChanged(Qt::ApplicationInactive);
    QTRY_VERIFY(grab() == QColor(252, 205, 63).rgb() &&
                shot.pixelColor(onBorder).rgb() == QColor(Qt::black).rgb());
    frame.on_applicationStateChanged(Qt::ApplicationActive);
}

int main(int argc, char *argv[])
{
    // This test needs a real X display; without one it runs itself again inside Xvfb.
    if (qgetenv("QT_QPA_PLATFORM") != "xcb") {
        qputenv("QT_QPA_PLATFORM", "xcb");
        std::vector<char *> command = {const_cast<char *>("xvfb-run"), const_cast<char *>("-a"),
                                       const_cast<char *>("-s"),
                                       const_cast<char *>("-screen 0 1280x800x24")};
        for (int index = 0; index < argc; ++index) {
            command.push_back(argv[index]);
        }
        command.push_back(nullptr);
        execvp(command.front(), command.data());
        std::perror("xvfb-run");
        return 1;
    }
    QApplication application(argc, argv);
    TestFrameScreenshot test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_framescreenshot.moc"
