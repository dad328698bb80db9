#include "collapsiblecontainer.h"

#include "defaultpalette.h"

#include <QPropertyAnimation>

namespace TsUI {

CollapsibleContainer::CollapsibleContainer(const QString &title, int animationDuration,
                                           QWidget *parent)
    : QWidget(parent), animationDuration(animationDuration)
{
    toggleButton.setStyleSheet(QStringLiteral("QToolButton { border: none; }"));
    toggleButton.setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggleButton.setArrowType(Qt::RightArrow);
    toggleButton.setText(title);
    toggleButton.setCheckable(true);
    toggleButton.setChecked(false);

    headerLine.setFrameShape(QFrame::HLine);
    headerLine.setFrameShadow(QFrame::Sunken);
    headerLine.hide();
    headerLine.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);

    contentArea.setStyleSheet(QStringLiteral("QScrollArea { background-color: ") +
                              DefaultPalette::current().color(QPalette::Window).name() +
                              QStringLiteral("; border: none; }"));
    contentArea.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    contentArea.setMaximumHeight(0);
    contentArea.setMinimumHeight(0);

    // The group owns the three animations.
    toggleAnimation.addAnimation(new QPropertyAnimation(this, "minimumHeight"));
    toggleAnimation.addAnimation(new QPropertyAnimation(this, "maximumHeight"));
    toggleAnimation.addAnimation(new QPropertyAnimation(&contentArea, "maximumHeight"));

    mainLayout.setVerticalSpacing(0);
    mainLayout.setContentsMargins(0, 0, 0, 0);
    mainLayout.addWidget(&toggleButton, 0, 0, 1, 1, Qt::AlignLeft);
    mainLayout.addWidget(&headerLine, 0, 2, 1, 1);
    mainLayout.addWidget(&contentArea, 1, 0, 1, 3);
    setLayout(&mainLayout);

    connect(&toggleButton, &QToolButton::clicked, this, &CollapsibleContainer::toggle);
}

void CollapsibleContainer::setContentLayout(QLayout &contentLayout)
{
    delete contentArea.layout();
    contentArea.setLayout(&contentLayout);

    const int collapsedHeight = sizeHint().height() - contentArea.maximumHeight();
    const int contentHeight = contentLayout.sizeHint().height();
    for (int index = 0; index < 2; ++index) {
        auto *animation = static_cast<QPropertyAnimation *>(toggleAnimation.animationAt(index));
        animation->setDuration(animationDuration);
        animation->setStartValue(collapsedHeight);
        animation->setEndValue(collapsedHeight + contentHeight);
    }
    auto *bodyAnimation = static_cast<QPropertyAnimation *>(toggleAnimation.animationAt(2));
    bodyAnimation->setDuration(animationDuration);
    bodyAnimation->setStartValue(0);
    bodyAnimation->setEndValue(contentHeight);
}

void CollapsibleContainer::toggle(bool checked)
{
    toggleButton.setArrowType(checked ? Qt::DownArrow : Qt::RightArrow);
    toggleAnimation.setDirection(checked ? QAbstractAnimation::Forward
                                         : QAbstractAnimation::Backward);
    toggleAnimation.start();
}

} // namespace TsUI
