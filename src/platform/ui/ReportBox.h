#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>
#include <QString>
#include <QTextOption>
#include <memory>
#include <unordered_map>
#include <vector>

class QTextLayout;

namespace ui {

// A read-only box for a report of any length. It looks, scrolls and selects as a plain text box
// without wrapping (a margin of 4 pixels, lines laid out with the box's font and tab stops, a
// vertical scroll bar always, a horizontal one while a line in view is wider than the box), but
// keeps the text as it is given and lays out only the lines in view, and of a very long line
// only its first kLaidOutLength characters: a report of 150,000 lines, or with a line of
// 10,000,000 characters, is shown at once instead of being taken apart into a document first.
// Text is selected with the mouse (a double click takes a word) and copied with Ctrl+C or the
// context menu; Ctrl+A selects everything. The copy is exactly the part of the text selected,
// its line ends as given. While the box has the focus its frame shows it, as a text box's does.
class ReportBox : public QAbstractScrollArea {
public:
    // The characters of a line laid out and shown: far more than the box is wide.
    static constexpr int kLaidOutLength = 5000;
    // The margin a plain text box keeps around its text.
    static constexpr qreal kMargin = 4;

    explicit ReportBox(QWidget* parent = nullptr);
    ~ReportBox() override;

    // Lines end with "\r\n" or "\n". The box shows the text from its first line and first column.
    void setPlainText(const QString& text);
    QString toPlainText() const { return text_; }
    void clear() { setPlainText(QString()); }
    // Lines of the text: one more than its line ends.
    int lineCount() const { return static_cast<int>(lineStarts_.size()); }

    // Tab stops and other options the lines are laid out with (never wrapped).
    QTextOption textOption() const { return option_; }
    void setTextOption(const QTextOption& option);

    QString selectedText() const;
    void selectAll();
    void copy() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QTextLayout* layoutOf(int line) const;
    void forgetLayouts();
    void layOutLinesInView() const;
    void updateScrollBars();
    // Characters of a line, its line end left out.
    int lineLength(int line) const;
    // Top of the first line in view, in viewport pixels: the margin when scrolled to the top.
    qreal firstLineTop() const;
    int positionAt(const QPoint& point) const;
    void setSelection(int anchor, int position);
    // While a selection is dragged above or below the box, a line at a time.
    void dragOutside();

    QString text_;
    std::vector<int> lineStarts_;
    QTextOption option_;
    qreal lineHeight_ = 0;
    mutable qreal widest_ = 0;  // widest line laid out so far, margins included
    mutable std::unordered_map<int, std::unique_ptr<QTextLayout>> layouts_;
    int anchor_ = 0;
    int position_ = 0;
    bool selecting_ = false;
    QBasicTimer dragScroll_;  // goes on scrolling while the pointer is held outside the box
    QPoint dragPoint_;
};

}  // namespace ui
