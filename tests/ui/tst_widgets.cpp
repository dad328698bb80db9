#include "collapsiblecontainer.h"
#include "fixedspacer.h"
#include "onoffbutton.h"
#include "primarybutton.h"
#include "spacer.h"
#include "switch.h"
#include "zerundarkstyle.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QImage render(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void release(QWidget &widget, Qt::MouseButton button)
{
    QTest::mousePress(&widget, button, {}, QPoint(10, 10));
    QTest::mouseRelease(&widget, button, {}, QPoint(10, 10));
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void switchGeometry();
    void switchPaintsTrackAndThumb();
    void switchLeftReleaseToggles();
    void switchOtherButtonsOnlyForward_data();
    void switchOtherButtonsOnlyForward();
    void switchQuickClicks();
    void switchDisabled();
    void switchHoverCursor();
    void onOffButtonSheets();
    void onOffButtonConstructors();
    void primaryButton();
    void containerHeights();
    void spacers();
};

void TestWidgets::initTestCase()
{
    QApplication::setStyle(new ZerunDarkStyle);
}

void TestWidgets::switchGeometry()
{
    TsUI::Switch toggle;
    QCOMPARE(toggle.sizeHint(), QSize(38, 22));
    QCOMPARE(toggle.offset(), 8);
    QCOMPARE(toggle.brush().color(), QColor(252, 205, 63));
    QVERIFY(!toggle.isOn());
    QVERIFY(!toggle.isCheckable());
}

void TestWidgets::switchPaintsTrackAndThumb()
{
    TsUI::Switch toggle(QBrush(QColor(0, 0, 255)));
    toggle.resize(toggle.sizeHint());
    QImage off = render(toggle);
    // Off: a faint black track at (3,3) 28 x 16, the thumb a 22-pixel circle in the base colour
    // around x = 8 + 3.
    QCOMPARE(off.pixelColor(11, 11).rgb(), QColor(42, 42, 42).rgb());
    const QColor track = off.pixelColor(27, 11);
    QCOMPARE(track.rgb() & 0xffffff, 0u);
    QVERIFY(qAbs(track.alpha() - 97) <= 2);
    // Its straight edges run along y = 3 and y = 18.
    QVERIFY(qAbs(off.pixelColor(22, 3).alpha() - track.alpha()) <= 10);
    QVERIFY(qAbs(off.pixelColor(22, 18).alpha() - track.alpha()) <= 10);
    QCOMPARE(off.pixelColor(22, 2).alpha(), 0);
    QCOMPARE(off.pixelColor(22, 19).alpha(), 0);
    QCOMPARE(off.pixelColor(33, 11).alpha(), 0);

    release(toggle, Qt::LeftButton);
    QTRY_COMPARE(toggle.offset(), 22);
    QImage on = render(toggle);
    // On: the thumb in the "on" brush around x = 22 + 3, the track half-transparent blue.
    QCOMPARE(on.pixelColor(25, 11).rgb(), QColor(0, 0, 255).rgb());
    QCOMPARE(on.pixelColor(5, 11).blue(), 255);
    QVERIFY(qAbs(on.pixelColor(5, 11).alpha() - 127) <= 2);
}

void TestWidgets::switchLeftReleaseToggles()
{
    TsUI::Switch toggle;
    toggle.resize(toggle.sizeHint());
    QSignalSpy clicked(&toggle, &QAbstractButton::clicked);
    release(toggle, Qt::LeftButton);
    QVERIFY(toggle.isOn());
    QCOMPARE(clicked.count(), 1);
    QVERIFY(!toggle.isChecked());
    QTRY_COMPARE(toggle.offset(), toggle.width() - 16);
    release(toggle, Qt::LeftButton);
    QVERIFY(!toggle.isOn());
    QTRY_COMPARE(toggle.offset(), 8);
    QCOMPARE(clicked.count(), 2);
}

void TestWidgets::switchOtherButtonsOnlyForward_data()
{
    QTest::addColumn<int>("buttonValue");
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TestWidgets::switchOtherButtonsOnlyForward()
{
    QFETCH(int, buttonValue);
    TsUI::Switch toggle;
    toggle.resize(toggle.sizeHint());
    QSignalSpy released(&toggle, &QAbstractButton::released);
    release(toggle, static_cast<Qt::MouseButton>(buttonValue));
    QVERIFY(!toggle.isOn());
    auto *animation = toggle.findChild<QPropertyAnimation *>();
    QVERIFY(animation);
    QCOMPARE(animation->state(), QAbstractAnimation::Stopped);
    QCOMPARE(toggle.offset(), 8);
}

void TestWidgets::switchQuickClicks()
{
    TsUI::Switch toggle;
    toggle.resize(toggle.sizeHint());
    auto *animation = toggle.findChild<QPropertyAnimation *>();
    QCOMPARE(animation->propertyName(), QByteArray("offset"));
    release(toggle, Qt::LeftButton);
    QTRY_VERIFY(toggle.offset() > 12);
    // Turning off starts from wherever the thumb is now.
    const int where = toggle.offset();
    release(toggle, Qt::LeftButton);
    QVERIFY(qAbs(animation->startValue().toInt() - where) <= 1);
    QCOMPARE(animation->endValue().toInt(), 8);
    QCOMPARE(animation->duration(), 120);
    // Turning on always starts from the left end.
    toggle.setOffset(15);
    release(toggle, Qt::LeftButton);
    QCOMPARE(animation->startValue().toInt(), 8);
    QCOMPARE(animation->endValue().toInt(), 22);
    QTRY_COMPARE(toggle.offset(), 22);
}

void TestWidgets::switchDisabled()
{
    TsUI::Switch toggle;
    toggle.resize(toggle.sizeHint());
    toggle.setEnabled(false);
    release(toggle, Qt::LeftButton);
    QVERIFY(!toggle.isOn());
    const QImage image = render(toggle);
    // A fainter track across the full width, the thumb in the disabled text colour.
    QCOMPARE(image.pixelColor(11, 11).rgb(), QColor(127, 127, 127).rgb());
    QVERIFY(qAbs(image.pixelColor(33, 11).alpha() - 31) <= 2);
}

void TestWidgets::switchHoverCursor()
{
    TsUI::Switch toggle;
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&toggle, &enter);
    QCOMPARE(toggle.cursor().shape(), Qt::PointingHandCursor);
}

void TestWidgets::onOffButtonSheets()
{
    OnOffButton button(QStringLiteral("Sound"));
    QVERIFY(button.isCheckable());
    QVERIFY(button.styleSheet().isEmpty());
    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(button.isChecked());
    QCOMPARE(button.styleSheet(),
             QStringLiteral("OnOffButton { background-color: #fccd3f; color: #000000;}"));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(button.styleSheet(),
             QStringLiteral("OnOffButton { background-color: #353535; color: #ffffff;}"));
}

void TestWidgets::onOffButtonConstructors()
{
    OnOffButton plain;
    QVERIFY(plain.isCheckable());
    QVERIFY(plain.text().isEmpty());
    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::red);
    OnOffButton withIcon(QIcon(pixmap), QStringLiteral("Music"));
    QCOMPARE(withIcon.text(), QStringLiteral("Music"));
    QVERIFY(!withIcon.icon().isNull());
    QVERIFY(!withIcon.parent());
}

void TestWidgets::primaryButton()
{
    PrimaryButton plain;
    QVERIFY(plain.isDefault());
    PrimaryButton close(QStringLiteral("Close"));
    QVERIFY(close.isDefault());
    QCOMPARE(close.text(), QStringLiteral("Close"));
    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::red);
    PrimaryButton download(QIcon(pixmap), QStringLiteral("Download in External Browser"));
    QVERIFY(download.isDefault());
    QCOMPARE(download.text(), QStringLiteral("Download in External Browser"));
    QVERIFY(!download.icon().isNull());
    QVERIFY(!download.parent());
}

void TestWidgets::containerHeights()
{
    QWidget window;
    auto *outer = new QVBoxLayout(&window);
    auto *container = new TsUI::CollapsibleContainer(QStringLiteral("Details"), 40);
    outer->addWidget(container);
    outer->addStretch();

    auto *body = new QVBoxLayout;
    auto *label = new QLabel(QStringLiteral("Body"));
    label->setFixedHeight(100);
    body->addWidget(label);
    container->setContentLayout(*body);
    const int contentHeight = body->sizeHint().height();
    QVERIFY(contentHeight >= 100);

    auto *area = container->findChild<QScrollArea *>();
    auto *header = container->findChild<QToolButton *>();
    QVERIFY(area && header);
    QCOMPARE(area->maximumHeight(), 0);
    QCOMPARE(header->arrowType(), Qt::RightArrow);
    QCOMPARE(header->text(), QStringLiteral("Details"));
    QCOMPARE(area->styleSheet(),
             QStringLiteral("QScrollArea { background-color: #353535; border: none; }"));
    const int collapsed = container->sizeHint().height();

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(header, Qt::LeftButton);
    QCOMPARE(header->arrowType(), Qt::DownArrow);
    QTRY_COMPARE(area->maximumHeight(), contentHeight);
    QTRY_COMPARE(container->minimumHeight(), collapsed + contentHeight);
    QCOMPARE(container->maximumHeight(), collapsed + contentHeight);
    QTRY_COMPARE(container->height(), collapsed + contentHeight);

    QTest::mouseClick(header, Qt::LeftButton);
    QCOMPARE(header->arrowType(), Qt::RightArrow);
    QTRY_COMPARE(area->maximumHeight(), 0);
    QTRY_COMPARE(container->maximumHeight(), collapsed);
    QCOMPARE(container->minimumHeight(), collapsed);
    QTRY_COMPARE(container->height(), collapsed);
}

void TestWidgets::spacers()
{
    QWidget row;
    auto *layout = new QHBoxLayout(&row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *left = new QWidget;
    left->setFixedWidth(50);
    auto *fixed = new FixedSpacer;
    auto *spacer = new Spacer;
    auto *right = new QWidget;
    right->setFixedWidth(50);
    layout->addWidget(left);
    layout->addWidget(fixed);
    layout->addWidget(spacer);
    layout->addWidget(right);
    row.resize(300, 40);
    row.show();
    QVERIFY(QTest::qWaitForWindowExposed(&row));
    QCOMPARE(fixed->width(), 5);
    QCOMPARE(spacer->width(), 300 - 50 - 5 - 50);
    row.resize(500, 40);
    QTRY_COMPARE(spacer->width(), 500 - 50 - 5 - 50);
    QCOMPARE(fixed->width(), 5);
    QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
