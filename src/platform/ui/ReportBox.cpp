#include "platform/ui/ReportBox.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimerEvent>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {

// Lines laid out and kept; those further away are laid out again when they come into view.
constexpr size_t kKeptLayouts = 1000;

}  // namespace

ReportBox::ReportBox(QWidget* parent) : QAbstractScrollArea(parent) {
    option_.setWrapMode(QTextOption::NoWrap);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(1);
    setPlainText(QString());
}

ReportBox::~ReportBox() = default;

void ReportBox::setPlainText(const QString& text) {
    text_ = text;
    lineStarts_.clear();
    lineStarts_.push_back(0);
    const QStringView view(text_);
    for (qsizetype end = view.indexOf(QLatin1Char('\n')); end >= 0; end = view.indexOf(QLatin1Char('\n'), end + 1))
        lineStarts_.push_back(static_cast<int>(end + 1));
    anchor_ = position_ = 0;
    selecting_ = false;
    forgetLayouts();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    layOutLinesInView();
    updateScrollBars();
    viewport()->update();
}

void ReportBox::setTextOption(const QTextOption& option) {
    option_ = option;
    option_.setWrapMode(QTextOption::NoWrap);
    forgetLayouts();
    layOutLinesInView();
    updateScrollBars();
    viewport()->update();
}

QString ReportBox::selectedText() const {
    const int start = std::min(anchor_, position_);
    return text_.mid(start, std::max(anchor_, position_) - start);
}

void ReportBox::selectAll() { setSelection(0, static_cast<int>(text_.size())); }

void ReportBox::copy() const {
    if (anchor_ != position_) QGuiApplication::clipboard()->setText(selectedText());
}

int ReportBox::lineLength(int line) const {
    if (line + 1 >= lineCount()) return static_cast<int>(text_.size()) - lineStarts_[line];
    int end = lineStarts_[line + 1] - 1;
    if (end > lineStarts_[line] && text_[end - 1] == QLatin1Char('\r')) --end;
    return end - lineStarts_[line];
}

QTextLayout* ReportBox::layoutOf(int line) const {
    auto known = layouts_.find(line);
    if (known != layouts_.end()) return known->second.get();
    if (layouts_.size() >= kKeptLayouts) layouts_.clear();
    // A line longer than anyone reads on screen is laid out only as far as kLaidOutLength.
    int length = std::min(lineLength(line), kLaidOutLength);
    if (length < lineLength(line) && text_[lineStarts_[line] + length - 1].isHighSurrogate()) --length;
    auto layout = std::make_unique<QTextLayout>(text_.mid(lineStarts_[line], length), font());
    layout->setTextOption(option_);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine textLine = layout->createLine();
    textLine.setLeadingIncluded(true);
    textLine.setLineWidth(INT_MAX / 256);
    textLine.setPosition(QPointF(kMargin, 0));
    layout->endLayout();
    widest_ = std::max(widest_, textLine.naturalTextWidth() + 2 * kMargin);
    return layouts_.emplace(line, std::move(layout)).first->second.get();
}

void ReportBox::forgetLayouts() {
    layouts_.clear();
    widest_ = 0;
    // Every line has the height of one laid out in the box's font.
    QTextLayout probe(QStringLiteral(" "), font());
    probe.setTextOption(option_);
    probe.beginLayout();
    QTextLine line = probe.createLine();
    line.setLeadingIncluded(true);
    probe.endLayout();
    lineHeight_ = std::max<qreal>(1, line.height());
}

// The lines in view and, as a plain text box measures its bars from the end, those of the last
// page: the horizontal bar counts the widest of them.
void ReportBox::layOutLinesInView() const {
    const int top = verticalScrollBar()->value();
    const int rows = static_cast<int>(std::ceil(viewport()->height() / lineHeight_)) + 1;
    for (int line = top; line < lineCount() && line < top + rows; ++line) layoutOf(line);
    for (int line = std::max(0, lineCount() - rows); line < lineCount(); ++line) layoutOf(line);
}

// The ranges a plain text box gives its bars: lines whole in view from the bottom (the last one
// with the bottom margin), and the widest line laid out so far.
void ReportBox::updateScrollBars() {
    const qreal visible = viewport()->height() - kMargin - 1;
    const int step = std::max(1, static_cast<int>(lineHeight_));
    const int last = static_cast<int>(lineHeight_ + kMargin);
    int inView = last <= visible ? 1 + static_cast<int>((visible - last) / step) : 0;
    inView = std::min(inView, lineCount());
    verticalScrollBar()->setPageStep(inView);
    verticalScrollBar()->setRange(0, std::max(0, lineCount() - inView));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(widest_) - viewport()->width()));
}

qreal ReportBox::firstLineTop() const { return verticalScrollBar()->value() == 0 ? kMargin : 0; }

void ReportBox::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.setPen(palette().text().color());
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextCharFormat selected;
    selected.setBackground(palette().brush(group, QPalette::Highlight));
    selected.setForeground(palette().brush(group, QPalette::HighlightedText));
    const int selStart = std::min(anchor_, position_);
    const int selEnd = std::max(anchor_, position_);

    const qreal widestBefore = widest_;
    const qreal x = -horizontalScrollBar()->value();
    qreal y = firstLineTop();
    for (int line = verticalScrollBar()->value(); line < lineCount() && y <= area.bottom(); ++line, y += lineHeight_) {
        if (y + lineHeight_ < area.top()) continue;
        QTextLayout* layout = layoutOf(line);
        QList<QTextLayout::FormatRange> selections;
        const int start = lineStarts_[line];
        // A selection that goes on past the line's end shows its line end too.
        const int length = lineLength(line) + 1;
        if (selStart < start + length && selEnd > start && selEnd > selStart) {
            QTextLayout::FormatRange range;
            range.start = std::max(selStart - start, 0);
            range.length = std::min(selEnd, start + length) - start - range.start;
            range.format = selected;
            selections << range;
        }
        layout->draw(&painter, QPointF(x, y), selections, area);
    }
    if (widest_ != widestBefore) updateScrollBars();
}

bool ReportBox::event(QEvent* event) {
    const bool handled = QAbstractScrollArea::event(event);
    // The frame with the focus, drawn over the plain one as a text box draws its own.
    if (event->type() == QEvent::Paint && hasFocus() && frameStyle() != QFrame::NoFrame) {
        QPainter painter(this);
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = frameRect();
        frame.lineWidth = frameWidth();
        frame.midLineWidth = 0;
        frame.state |= QStyle::State_Sunken | QStyle::State_HasFocus;
        style()->drawPrimitive(QStyle::PE_FrameLineEdit, &frame, &painter, this);
    }
    return handled;
}

void ReportBox::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    update();
    viewport()->update();
}

void ReportBox::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    update();
    viewport()->update();
}

void ReportBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    layOutLinesInView();
    updateScrollBars();
}

void ReportBox::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        forgetLayouts();
        layOutLinesInView();
        updateScrollBars();
    }
    viewport()->update();
}

void ReportBox::scrollContentsBy(int, int) {
    // A line wider than any before may have come into view: the horizontal bar must reach its end.
    const qreal widestBefore = widest_;
    layOutLinesInView();
    if (widest_ != widestBefore) updateScrollBars();
    viewport()->update();
}

void ReportBox::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        copy();
        event->accept();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        event->accept();
        return;
    }
    // Space and Shift+Space turn a page, as in any read-only text box.
    if (event->key() == Qt::Key_Space && (event->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
        verticalScrollBar()->triggerAction(event->modifiers() & Qt::ShiftModifier
                                               ? QAbstractSlider::SliderPageStepSub
                                               : QAbstractSlider::SliderPageStepAdd);
        event->accept();
        return;
    }
    // Home and End go to the first and the last line; Ctrl+Home and Ctrl+End to the start and the
    // end of the text, its first column or the end of its last line. The arrows and page keys
    // scroll.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Home || event->key() == Qt::Key_End) &&
        (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier)) {
        const bool toEnd = event->key() == Qt::Key_End;
        verticalScrollBar()->triggerAction(toEnd ? QAbstractSlider::SliderToMaximum
                                                 : QAbstractSlider::SliderToMinimum);
        if (modifiers == Qt::ControlModifier) {
            const int lastEnd = static_cast<int>(
                std::ceil(layoutOf(lineCount() - 1)->lineAt(0).naturalTextWidth() + 2 * kMargin));
            horizontalScrollBar()->setValue(toEnd ? lastEnd - viewport()->width() : 0);
        }
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

int ReportBox::positionAt(const QPoint& point) const {
    const int row = verticalScrollBar()->value() +
                    static_cast<int>(std::floor((point.y() - firstLineTop()) / lineHeight_));
    const int line = std::clamp(row, 0, lineCount() - 1);
    const QTextLayout* layout = layoutOf(line);
    const int column = layout->lineAt(0).xToCursor(point.x() + horizontalScrollBar()->value());
    return lineStarts_[line] + std::clamp(column, 0, static_cast<int>(layout->text().size()));
}

void ReportBox::setSelection(int anchor, int position) {
    anchor_ = anchor;
    position_ = position;
    viewport()->update();
}

void ReportBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const int position = positionAt(event->position().toPoint());
    setSelection(event->modifiers() & Qt::ShiftModifier ? anchor_ : position, position);
    selecting_ = true;
}

void ReportBox::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_ || !(event->buttons() & Qt::LeftButton)) return QAbstractScrollArea::mouseMoveEvent(event);
    // Dragging past the top or the bottom scrolls on, also while the pointer is held still there.
    dragPoint_ = event->position().toPoint();
    if (dragPoint_.y() < 0 || dragPoint_.y() > viewport()->height()) {
        if (!dragScroll_.isActive()) dragScroll_.start(50, this);
        dragOutside();
    } else {
        dragScroll_.stop();
        setSelection(anchor_, positionAt(dragPoint_));
    }
}

void ReportBox::dragOutside() {
    verticalScrollBar()->triggerAction(dragPoint_.y() < 0 ? QAbstractSlider::SliderSingleStepSub
                                                          : QAbstractSlider::SliderSingleStepAdd);
    setSelection(anchor_, positionAt(dragPoint_));
}

void ReportBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() != dragScroll_.timerId()) return QAbstractScrollArea::timerEvent(event);
    // The button let go where the box did not hear it (a window put in front meanwhile) ends it too.
    if (selecting_ && (QGuiApplication::mouseButtons() & Qt::LeftButton)) dragOutside();
    else dragScroll_.stop();
}

void ReportBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
    selecting_ = false;
    dragScroll_.stop();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (anchor_ != position_ && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void ReportBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(event);
    // The word under the pointer: its letters and digits.
    const int at = positionAt(event->position().toPoint());
    auto inWord = [this](int i) {
        return i >= 0 && i < text_.size() && (text_[i].isLetterOrNumber() || text_[i] == QLatin1Char('_'));
    };
    int start = at, end = at;
    while (inWord(start - 1)) --start;
    while (inWord(end)) ++end;
    setSelection(start, end);
    selecting_ = false;
}

void ReportBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(
        QCoreApplication::translate("QWidgetTextControl", "&Copy") + QLatin1Char('\t') +
        QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText));
    copyAction->setEnabled(anchor_ != position_);
    QObject::connect(copyAction, &QAction::triggered, this, [this] { copy(); });
    menu.addSeparator();
    QAction* all = menu.addAction(
        QCoreApplication::translate("QWidgetTextControl", "Select All") + QLatin1Char('\t') +
        QKeySequence(QKeySequence::SelectAll).toString(QKeySequence::NativeText));
    all->setEnabled(!text_.isEmpty());
    QObject::connect(all, &QAction::triggered, this, [this] { selectAll(); });
    menu.exec(event->globalPos());
}

}  // namespace ui
