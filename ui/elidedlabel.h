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

// A notice of one line: its text stays whole in text(), and what does not fit the label's width
// is drawn elided at the end, with the whole text as the tooltip. It never wraps, so a long
// notice never takes the room of the widgets beside and above it.
class NoticeLabel : public QLabel
{
    Q_OBJECT

public:
    explicit NoticeLabel(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
    // The text as drawn in the label's present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    QString oneLine() const;
};
