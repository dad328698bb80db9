#pragma once

#include <QLabel>
#include <QString>

// A one-line label that shows its whole text where it fits and otherwise elides the middle, so a
// long folder path keeps its start and its end; the whole text is always its tooltip.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    void setFullText(const QString &text);
    QString fullText() const { return whole; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();

    QString whole;
};
