#pragma once

#include <QProxyStyle>

class QApplication;
class QPalette;

// Application style: "Fusion" with a dark palette and a goldenrod highlight, the application
// font one point larger, and the bundled dark style sheet.
class ZerunDarkStyle : public QProxyStyle
{
    Q_OBJECT

public:
    ZerunDarkStyle();
    explicit ZerunDarkStyle(QStyle *style);
    ~ZerunDarkStyle() override;

    QStyle *baseStyle() const;
    // One base style for the whole process, fixed by the first call.
    static QStyle *styleBase(QStyle *style = nullptr);

    // The dark colours, as polish(QPalette &) writes them, for widgets that carry the look
    // themselves.
    static void applyDarkColours(QPalette &palette);

    void polish(QPalette &palette) override;
    void polish(QApplication *app) override;

    using QProxyStyle::polish;
};
