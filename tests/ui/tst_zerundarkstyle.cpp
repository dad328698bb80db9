#include "framelesswindow.h"
#include "zerundarkstyle.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScopedPointer>
#include <QStyleFactory>
#include <QTest>

Q_DECLARE_METATYPE(QPalette::ColorRole)

namespace {

QByteArray resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestZerunDarkStyle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void palette_data();
    void palette();
    void fontOneLarger();
    void styleSheetFromBundle();
    void polishWithoutApplication();
    void sharedBaseStyle();
    void bundleImages_data();
    void bundleImages();
    void sheetKeepsFrameLook();

private:
    int fontSizeBefore = 0;
};

void TestZerunDarkStyle::initTestCase()
{
    fontSizeBefore = QApplication::font().pointSize();
    QApplication::setStyle(new ZerunDarkStyle);
}

void TestZerunDarkStyle::palette_data()
{
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<QColor>("normal");
    QTest::addColumn<QColor>("disabled");

    const QColor grey(127, 127, 127);
    QTest::newRow("Window") << QPalette::Window << QColor(53, 53, 53) << QColor(53, 53, 53);
    QTest::newRow("WindowText") << QPalette::WindowText << QColor(Qt::white) << grey;
    QTest::newRow("Base") << QPalette::Base << QColor(42, 42, 42) << QColor(42, 42, 42);
    QTest::newRow("AlternateBase")
        << QPalette::AlternateBase << QColor(66, 66, 66) << QColor(66, 66, 66);
    QTest::newRow("ToolTipBase") << QPalette::ToolTipBase << QColor(Qt::white) << QColor(Qt::white);
    QTest::newRow("ToolTipText") << QPalette::ToolTipText << QColor(53, 53, 53)
                                 << QColor(53, 53, 53);
    QTest::newRow("Text") << QPalette::Text << QColor(Qt::white) << grey;
    QTest::newRow("Dark") << QPalette::Dark << QColor(35, 35, 35) << QColor(35, 35, 35);
    QTest::newRow("Shadow") << QPalette::Shadow << QColor(20, 20, 20) << QColor(20, 20, 20);
    QTest::newRow("Button") << QPalette::Button << QColor(53, 53, 53) << QColor(53, 53, 53);
    QTest::newRow("ButtonText") << QPalette::ButtonText << QColor(Qt::white) << grey;
    QTest::newRow("BrightText") << QPalette::BrightText << QColor(255, 0, 0) << QColor(255, 0, 0);
    QTest::newRow("Link") << QPalette::Link << QColor(42, 130, 218) << QColor(42, 130, 218);
    QTest::newRow("Highlight") << QPalette::Highlight << QColor(252, 205, 63) << QColor(80, 80, 80);
    QTest::newRow("HighlightedText") << QPalette::HighlightedText << QColor(Qt::black) << grey;
}

void TestZerunDarkStyle::palette()
{
    QFETCH(QPalette::ColorRole, role);
    QFETCH(QColor, normal);
    QFETCH(QColor, disabled);
    const QPalette palette = QApplication::palette();
    QCOMPARE(palette.color(QPalette::Active, role), normal);
    QCOMPARE(palette.color(QPalette::Inactive, role), normal);
    QCOMPARE(palette.color(QPalette::Disabled, role), disabled);
}

void TestZerunDarkStyle::fontOneLarger()
{
    QCOMPARE(QApplication::font().pointSize(), fontSizeBefore + 1);
}

void TestZerunDarkStyle::styleSheetFromBundle()
{
    const QByteArray sheet = resource(QStringLiteral(":/ZerunDarkStyle/ZerunDarkStyle.qss"));
    QVERIFY(sheet.size() > 1000);
    QCOMPARE(sheet, resource(QStringLiteral(":/darkstyle/darkstyle.qss")));
    QCOMPARE(qApp->styleSheet(), QString::fromLatin1(sheet));
}

void TestZerunDarkStyle::polishWithoutApplication()
{
    const QFont font = QApplication::font();
    const QString sheet = qApp->styleSheet();
    ZerunDarkStyle style;
    style.polish(static_cast<QApplication *>(nullptr));
    QCOMPARE(QApplication::font(), font);
    QCOMPARE(qApp->styleSheet(), sheet);
}

void TestZerunDarkStyle::sharedBaseStyle()
{
    QStyle *base = ZerunDarkStyle::styleBase();
    QVERIFY(base);
    QCOMPARE(base->objectName().toLower(), QStringLiteral("fusion"));
    // Later calls keep the first answer whatever they are given.
    QScopedPointer<QStyle> other(QStyleFactory::create(QStringLiteral("Windows")));
    QCOMPARE(ZerunDarkStyle::styleBase(other.data()), base);

    QPushButton button(QStringLiteral("Draw me"));
    button.resize(120, 30);
    {
        auto first = QScopedPointer<ZerunDarkStyle>(new ZerunDarkStyle);
        {
            ZerunDarkStyle second;
            QCOMPARE(first->baseStyle(), base);
            QCOMPARE(second.baseStyle(), base);
        }
        // The second one is gone; the first still draws through the shared base.
        button.setStyle(first.data());
        QVERIFY(!button.grab().isNull());
        button.setStyle(nullptr);
    }
    // And the application's own style, over the same base, still draws too.
    QVERIFY(!button.grab().isNull());
    QCOMPARE(ZerunDarkStyle::styleBase(), base);
}

void TestZerunDarkStyle::bundleImages_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    const QStringList sixteen = {"icon_close", "icon_restore", "icon_undock"};
    const QStringList icons = {"icon_branch_closed",
                               "icon_branch_end",
                               "icon_branch_more",
                               "icon_branch_open",
                               "icon_checkbox_checked",
                               "icon_checkbox_checked_disabled",
                               "icon_checkbox_checked_pressed",
                               "icon_checkbox_indeterminate",
                               "icon_checkbox_indeterminate_disabled",
                               "icon_checkbox_indeterminate_pressed",
                               "icon_checkbox_unchecked",
                               "icon_checkbox_unchecked_disabled",
                               "icon_checkbox_unchecked_pressed",
                               "icon_close",
                               "icon_radiobutton_checked",
                               "icon_radiobutton_checked_disabled",
                               "icon_radiobutton_checked_pressed",
                               "icon_radiobutton_unchecked",
                               "icon_radiobutton_unchecked_disabled",
                               "icon_radiobutton_unchecked_pressed",
                               "icon_restore",
                               "icon_undock",
                               "icon_vline"};
    QCOMPARE(icons.size(), 23);
    for (const QString &name : icons) {
        QTest::newRow(qPrintable(name))
            << QStringLiteral(":/darkstyle/") + name + ".png" << (sixteen.contains(name) ? 16 : 18);
    }
    for (const char *name : {"icon_window_minimize", "icon_window_restore", "icon_window_maximize",
                             "icon_window_close"}) {
        QTest::newRow(name) << QStringLiteral(":/images/") + name + ".png" << 16;
    }
}

void TestZerunDarkStyle::bundleImages()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QImage image;
    QVERIFY(image.loadFromData(resource(path), "PNG"));
    QCOMPARE(image.size(), QSize(size, size));
    // Something is drawn: not every pixel is transparent.
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y) {
        for (int x = 0; x < image.width() && !drawn; ++x) {
            drawn = qAlpha(image.pixel(x, y)) > 0;
        }
    }
    QVERIFY(drawn);
}

void TestZerunDarkStyle::sheetKeepsFrameLook()
{
    // The application sheet is in force here; the frame's own sheets still decide its look.
    FramelessWindow frame;
    frame.setTitleBarColor(QStringLiteral("252,205,63"), true);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.on_applicationStateChanged(Qt::ApplicationActive);
    auto *titlebar = frame.findChild<QWidget *>(QStringLiteral("windowTitlebar"));
    const QPoint inTitlebar =
        titlebar->mapTo(&frame, QPoint(titlebar->width() * 3 / 4, titlebar->height() / 2));
    QImage image;
    const auto pixel = [&](const QPoint &at) {
        image = frame.grab().toImage();
        return image.pixelColor(at).rgb();
    };
    QTRY_COMPARE(pixel(QPoint(15, 240)), QColor(252, 205, 63).rgb());
    QCOMPARE(image.pixelColor(inTitlebar).rgb(), QColor(252, 205, 63).rgb());
    QCOMPARE(image.pixelColor(320, 300).rgb(), QColor(53, 53, 53).rgb());
}

QTEST_MAIN(TestZerunDarkStyle)
#include "tst_zerundarkstyle.moc"
