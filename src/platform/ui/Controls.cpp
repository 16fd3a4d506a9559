#include "platform/ui/Controls.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

#include "platform/ui/Events.h"
#include "platform/ui/KeyRules.h"
#include "platform/ui/Paste.h"
#include "platform/ui/ReportBox.h"
#include "platform/ui/TypedChoice.h"
#include "platform/ui/TypedSearch.h"
#include "platform/ui/WheelRule.h"

namespace ui {

namespace {

template <class T>
T* named(T* control, const QString& name) {
    control->setObjectName(name);
    return control;
}

// Once the focus has moved on from a drop-down combo, its text shows from the start, as text set
// by the program does: a word typed into a narrow box would stay scrolled to its end ("eutral").
// Focus lost to a message box, another window or the box's own list keeps the place; so does a
// LostFocus check that puts the focus back (the form's handlers run before this filter).
class ShowFromStartWhenLeft : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusOut) return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* combo = static_cast<QComboBox*>(watched);
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            !combo->hasFocus() && combo->lineEdit())
            combo->lineEdit()->setCursorPosition(0);
        return false;
    }
};

// The item whose text a combo shows with nothing selected; -1 when none does.
int shownItem(const QComboBox* combo) { return itemReading(combo, combo->currentText()); }

// Opening the list of a combo that shows an item's text with nothing selected marks that item in
// the list, so that the arrow keys go on from it; the combo's selection stays as it was.
class MarkShownItemOnOpen : public QObject {
public:
    explicit MarkShownItemOnOpen(QComboBox* combo) : QObject(combo), combo_(combo) {
        combo->view()->parentWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && combo_->currentIndex() < 0) {
            const int row = shownItem(combo_);
            QAbstractItemView* list = combo_->view();
            if (row >= 0)
                list->setCurrentIndex(list->model()->index(row, combo_->modelColumn(), list->rootIndex()));
        }
        return false;
    }

private:
    QComboBox* combo_;
};

// A list the focus came to by a key shows its first item as the current one without choosing
// it; Home or Up there would not move and so choose nothing, and the first item could not be
// chosen by keys at all. A key that moves through the list chooses the item it ends on, also
// when that is the one it started from.
//
// A list whose pick sets off work (keysOnlyMove) chooses by Enter instead: there the keys that
// move, and typed text, only move the current item.
class ChooseWhereTheKeysGo : public QObject {
public:
    explicit ChooseWhereTheKeysGo(QListWidget* list) : QObject(list), list_(list) {
        list->installEventFilter(this);
    }

    void onlyMove() { onlyMove_ = true; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (onlyMove_) return onlyMoveFilter(event);
        if (moving_ || event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Home:
            case Qt::Key_End:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown: break;
            default: return false;
        }
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        moving_ = true;
        QCoreApplication::sendEvent(list_, event);
        moving_ = false;
        QListWidgetItem* current = list_->currentItem();
        if (current && !current->isSelected()) current->setSelected(true);
        return true;
    }

private:
    bool onlyMoveFilter(QEvent* event) {
        if (event->type() == QEvent::FocusOut) {
            // Where the keys left the current item counts for nothing once the list is left: the
            // pick is the item chosen.
            search_.reset();
            const QModelIndexList chosen = list_->selectionModel()->selectedIndexes();
            if (!chosen.isEmpty())
                list_->selectionModel()->setCurrentIndex(chosen.first(), QItemSelectionModel::NoUpdate);
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // A key that moves moves also with Shift, Ctrl or Alt held: it never chooses.
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const int current = list_->currentRow();
        const int last = list_->count() - 1;
        switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Left: return moveTo(std::max(0, current - 1));
            case Qt::Key_Down:
            case Qt::Key_Right: return moveTo(current < 0 ? 0 : std::min(last, current + 1));
            case Qt::Key_Home: return moveTo(0);
            case Qt::Key_End: return moveTo(last);
            case Qt::Key_PageUp: return moveTo(std::max(0, current - page()));
            case Qt::Key_PageDown: return moveTo(current < 0 ? 0 : std::min(last, current + page()));
            case Qt::Key_Return:
            case Qt::Key_Enter: return plain && choose();
            default: break;
        }
        if (!TypedSearch::types(key)) return false;
        // A blank typed within a search belongs to the text where an item goes on so; Space
        // otherwise chooses.
        if (key->key() == Qt::Key_Space && !search_.goesOnTo(key, list_->model(), 0, list_->rootIndex()))
            return choose();
        const int row = search_.rowFor(key, list_->model(), 0, list_->rootIndex(), current);
        if (row >= 0) moveTo(row, false);
        return true;
    }

    // Makes `row` the current item without choosing it.
    bool moveTo(int row, bool endsSearch = true) {
        if (endsSearch) search_.reset();
        if (row < 0 || row >= list_->count()) return true;
        const QModelIndex index = list_->model()->index(row, 0, list_->rootIndex());
        list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        list_->scrollTo(index);
        return true;
    }

    // Chooses the current item: a Click, unless it is chosen already.
    bool choose() {
        search_.reset();
        QListWidgetItem* current = list_->currentItem();
        if (current && !current->isSelected()) list_->setCurrentItem(current, QItemSelectionModel::ClearAndSelect);
        return true;
    }

    // The rows a page key moves: as many as show, less one.
    int page() const {
        const int row = std::max(1, list_->sizeHintForRow(0));
        return std::max(1, list_->viewport()->height() / row - 1);
    }

    QListWidget* list_;
    bool moving_ = false;
    bool onlyMove_ = false;
    TypedSearch search_;
};

// The arrow keys in a group of options go to the option next to it on the screen in the
// arrow's direction (in a group of two columns Right goes across, Down down its column); where
// there is none, to the next option of the group (Down, Right) or the one before (Up, Left),
// round from the last to the first. The option gone to is chosen: a Click, as a mouse click
// gives. Qt's own keys go by where the options stand on the screen and choose only while
// one is chosen already, so in a group with nothing chosen they moved the focus and chose
// nothing. Options that are hidden or disabled are passed over.
class ArrowsChooseInGroup : public QObject {
public:
    explicit ArrowsChooseInGroup(QRadioButton* option) : QObject(option), option_(option) {
        option->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !option_->autoExclusive()) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        int step = 0;
        switch (key->key()) {
            case Qt::Key_Down:
            case Qt::Key_Right: step = 1; break;
            case Qt::Key_Up:
            case Qt::Key_Left: step = -1; break;
            default: return false;
        }
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        QList<QRadioButton*> group;
        QWidget* frame = option_->parentWidget();
        for (QRadioButton* other : frame->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (other->autoExclusive() &&
                (other == option_ || (other->isEnabled() && other->isVisibleTo(frame))))
                group << other;
        const qsizetype at = group.indexOf(option_);
        QRadioButton* next = nextOnScreen(group, key->key());
        if (!next) next = group.at((at + step + group.size()) % group.size());
        next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        // A check run as the focus left the option may have kept it there.
        if (next->hasFocus()) next->click();
        return true;
    }

private:
    // The nearest option in the arrow's direction that stands in the same row (Left, Right) or
    // column (Up, Down) as this one; none when no option stands there.
    QRadioButton* nextOnScreen(const QList<QRadioButton*>& group, int key) const {
        const bool across = key == Qt::Key_Left || key == Qt::Key_Right;
        const int sign = key == Qt::Key_Right || key == Qt::Key_Down ? 1 : -1;
        const QRect from = option_->geometry();
        QRadioButton* nearest = nullptr;
        int best = 0;
        for (QRadioButton* other : group) {
            const QRect to = other->geometry();
            const bool inLine = across ? std::abs(to.center().y() - from.center().y()) < from.height() / 2
                                       : std::abs(to.left() - from.left()) < from.height();
            const int distance = sign * (across ? to.left() - from.left() : to.top() - from.top());
            if (other == option_ || !inLine || distance <= 0) continue;
            if (!nearest || distance < best) {
                nearest = other;
                best = distance;
            }
        }
        return nearest;
    }

    QRadioButton* option_;
};

// A drop-down combo whose keys that step through its closed list (Up, Down, PageUp, PageDown) go
// on from the item its text reads as, also while nothing is selected: Qt's own box would start
// from the top of the list. A step that goes nowhere (Up on the first item) selects nothing.
// Home and End stay the text's, as in any box the user types into.
//
// A drop-down list one only picks from goes to the item its typed text names (TypedSearch), the
// Click running for each item it comes to; it opens by Alt+Down, F4 or a click, not by Space,
// which a name typed with its blank would give it.
class StepFromShownItem : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!isEditable()) {
            if (TypedSearch::types(event)) {
                const int row = search_.rowFor(event, model(), modelColumn(), rootModelIndex(), currentIndex());
                if (row >= 0 && row != currentIndex()) {
                    setCurrentIndex(row);
                    emit activated(row);
                    emit textActivated(itemText(row));
                }
                return;
            }
            // Shift for a capital letter goes on with the search; any other key ends it.
            if (!TypedSearch::isModifier(event)) search_.reset();
        }
        const bool steps = isEditable() && stepsThroughList(event);
        // Text typed over a picked item is what the box shows: the steps go on from it, not from
        // the item picked before.
        if (steps && currentIndex() >= 0 && itemText(currentIndex()) != currentText()) {
            const QString typed = currentText();
            const QSignalBlocker quiet(this);
            setCurrentIndex(-1);
            setEditText(typed);
        }
        const int shown = steps && currentIndex() < 0 ? shownItem(this) : -1;
        // A name typed into a box whose form keeps it (one its list lacks) is no place in the
        // list to step from: the arrows leave it as it is.
        if (shown < 0 && steps && currentIndex() < 0 && keepsTypedText(this) && !currentText().trimmed().isEmpty())
            return;
        if (shown < 0) return QComboBox::keyPressEvent(event);
        const QString text = currentText();
        {
            const QSignalBlocker quiet(this);
            setCurrentIndex(shown);
        }
        QComboBox::keyPressEvent(event);
        if (currentIndex() != shown) return;
        const QSignalBlocker quiet(this);
        setCurrentIndex(-1);
        setEditText(text);
    }

    // A name typed after the focus came back is a search of its own.
    void focusInEvent(QFocusEvent* event) override {
        search_.reset();
        QComboBox::focusInEvent(event);
    }

private:
    static bool stepsThroughList(const QKeyEvent* event) {
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        switch (event->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown: return true;
            default: return false;
        }
    }

    TypedSearch search_;
};

// A label that wraps its plain text at words and, where a word is wider than the label, within
// the word (a label's own word wrap leaves such a word cut at the edge). It lays out only as much
// of the text as it can show, and its size hints do not measure the text: a note of millions of
// characters shows at once.
class WrapAnywhereLabel : public QLabel {
public:
    using QLabel::QLabel;

    QSize sizeHint() const override { return minimumSizeHint(); }
    QSize minimumSizeHint() const override {
        if (textFormat() == Qt::RichText) return QLabel::minimumSizeHint();
        const QMargins frame = contentsMargins() + QMargins(margin(), margin(), margin(), margin());
        return QSize(0, fontMetrics().height()).grownBy(frame);
    }
    bool hasHeightForWidth() const override { return textFormat() == Qt::RichText && QLabel::hasHeightForWidth(); }
    int heightForWidth(int width) const override {
        return textFormat() == Qt::RichText ? QLabel::heightForWidth(width) : -1;
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (textFormat() == Qt::RichText) {
            QLabel::paintEvent(event);
            return;
        }
        const QRect area = contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
        if (area.isEmpty()) return;
        // No line shows more characters than it is pixels wide; no more lines show than fit.
        const QFontMetricsF metrics(font());
        const qsizetype rows = static_cast<qsizetype>(area.height() / std::max<qreal>(1, metrics.lineSpacing())) + 2;
        qsizetype length = std::min<qsizetype>(text().size(), rows * (area.width() + 1));
        if (length < text().size() && length > 0 && text().at(length - 1).isHighSurrogate()) --length;
        // Line ends as a painted text has them: CR a blank, LF a line break.
        QString shown = text().left(length);
        shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
        shown.replace(QLatin1Char('\n'), QChar::LineSeparator);

        QTextOption option(alignment());
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        QTextLayout layout(shown, font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (qreal y = 0; y < area.height();) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) break;
            line.setLineWidth(area.width());
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        QPainter painter(this);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       foregroundRole()));
        layout.draw(&painter, area.topLeft());
    }
};

}  // namespace

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setFocusPolicy(Qt::StrongFocus);  // a click takes the focus from the box left
    clickLikeTheMouse(b);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption) {
    return named(new QLabel(caption, parent), name);
}

QLabel* textPanel(QWidget* parent, const QString& name) {
    QLabel* panel = named(new WrapAnywhereLabel(parent), name);
    panel->setWordWrap(true);
    panel->setTextFormat(Qt::PlainText);
    panel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return panel;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QString& text) {
    auto* box = named(new QLineEdit(text, parent), name);
    box->setCursorPosition(0);
    // Text set by the program shows from its start, as in a text box of the original, also when
    // it is longer than the box; typing keeps the cursor where the user puts it.
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (!box->isModified()) box->setCursorPosition(0);
    });
    // Text set that the box shows already changes nothing, yet Qt's box moves its cursor to the
    // end, and a long text would show its end. Only the program moves the cursor of a box that is
    // neither in use nor under the mouse; a selection it makes stays.
    QObject::connect(box, &QLineEdit::cursorPositionChanged, box, [box](int, int now) {
        if (now > 0 && now == box->text().size() && !box->isModified() && !box->hasFocus() &&
            !box->hasSelectedText() && QGuiApplication::mouseButtons() == Qt::NoButton)
            box->setCursorPosition(0);
    });
    filterPaste(box);
    applyKeyRules();
    return box;
}

QPlainTextEdit* multiLineBox(QWidget* parent, const QString& name) {
    auto* box = named(multiLinePasteBox(parent), name);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Shown only for a line longer than the box, which a box without wrapping can hold.
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setTabChangesFocus(true);
    applyKeyRules();
    // Each paragraph keeps its layout between paints. Without it every blink of the cursor takes
    // the cursor's paragraph apart anew, which in a note of a million characters keeps the
    // program busy for as long as the box has the focus.
    QObject::connect(box->document(), &QTextDocument::contentsChange, box, [box](int from, int, int added) {
        for (QTextBlock block = box->document()->findBlock(from); block.isValid() && block.position() <= from + added;
             block = block.next())
            block.layout()->setCacheEnabled(true);
    });
    return box;
}

namespace {
// What setMultiLineText was given, and what the box showed of it.
const char* const kGivenText = "kestrivaneGivenText";
const char* const kShownText = "kestrivaneShownText";
}  // namespace

void setMultiLineText(QPlainTextEdit* box, const QString& text) {
    const bool tooLong = text.size() > kMultiLineMaxLength;
    box->setReadOnly(tooLong);
    box->setToolTip(tooLong ? QStringLiteral("This text has %1 characters, more than this box can edit (%2): "
                                             "only its beginning is shown, and it is kept as it is.")
                                  .arg(text.size())
                                  .arg(kMultiLineMaxLength)
                            : QString());
    box->setPlainText(tooLong ? text.left(kMultiLineMaxLength) : text);
    box->setProperty(kGivenText, text);
    box->setProperty(kShownText, box->toPlainText());
}

QString multiLineText(const QPlainTextEdit* box) {
    QString shown = box->toPlainText();
    if (shown == box->property(kShownText).toString()) return box->property(kGivenText).toString();
    return shown.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void setBoxText(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setProperty(kGivenText, text);
    box->setProperty(kShownText, box->text());
}

QString boxText(const QLineEdit* box) {
    const QString shown = box->text();
    return shown == box->property(kShownText).toString() ? box->property(kGivenText).toString() : shown;
}

ReportBox* reportBox(QWidget* parent, const QString& name) {
    return named(new ReportBox(parent), name);
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption) {
    auto* box = named(new QCheckBox(caption, parent), name);
    clickLikeTheMouse(box);
    return box;
}

QRadioButton* optionButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* option = named(new QRadioButton(caption, parent), name);
    // Installed before the event hook, so that a KeyDown handler of the form sees the key first.
    new ArrowsChooseInGroup(option);
    clickLikeTheMouse(option);
    // Tab goes into a group of options on its chosen one. Qt moves the group's Tab stop only to
    // an option that takes the focus; a choice made by the program moves it too.
    QObject::connect(option, &QAbstractButton::toggled, option, [option](bool chosen) {
        if (!chosen || !option->autoExclusive()) return;
        for (QRadioButton* other : option->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (other->autoExclusive())
                other->setFocusPolicy(Qt::FocusPolicy(other == option ? other->focusPolicy() | Qt::TabFocus
                                                                      : other->focusPolicy() & ~Qt::TabFocus));
    });
    return option;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption) {
    return named(new QGroupBox(caption, parent), name);
}

QListWidget* listBox(QWidget* parent, const QString& name) {
    auto* list = named(new QListWidget(parent), name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    new ChooseWhereTheKeysGo(list);
    applyKeyRules();
    return list;
}

void keysOnlyMove(QListWidget* list) {
    for (QObject* child : list->children())
        if (auto* keys = dynamic_cast<ChooseWhereTheKeysGo*>(child)) keys->onlyMove();
}

QComboBox* comboBox(QWidget* parent, const QString& name, bool editable) {
    auto* combo = named<QComboBox>(new StepFromShownItem(parent), name);
    combo->setEditable(editable);
    // An empty placeholder keeps Qt from choosing the first item when the list is filled.
    combo->setPlaceholderText(QStringLiteral(" "));
    wheelNeverPicks(combo);
    applyKeyRules();
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->installEventFilter(new ShowFromStartWhenLeft(combo));
        filterPaste(combo->lineEdit(), combo);
        // Qt selects the item that reads as the typed text when the box is left, its list is
        // opened or Enter is pressed in it. A combo that shows an item's text with nothing
        // selected stays so: only a pick from the list, or code, selects an item (a Click).
        QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
        new MarkShownItemOnOpen(combo);
        settleAgainstList(combo);
    }
    return combo;
}

QString arrayName(const QString& name, int index) {
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

int twips(int length) { return (length + 7) / 15; }

void place(QWidget* control, int left, int top, int width, int height) {
    if (control->isWindow()) {
        // A window's place is that of its frame, so that its title bar stays on the screen.
        control->resize(twips(width), twips(height));
        control->move(twips(left), twips(top));
        return;
    }
    control->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

qreal dialogUnit(const QFont& font) {
    // A quarter of the average width of the letters, as dialog units are reckoned.
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QFontMetricsF(font).horizontalAdvance(letters) / letters.size() / 4;
}

namespace {

// Pixels across a box's text: the box inside its frame, less the vertical scroll bar it always
// shows and the text's margins; none while the box has no size of its own yet.
qreal textRoom(const QAbstractScrollArea* box, qreal margin) {
    if (!box->testAttribute(Qt::WA_Resized)) return 0;
    qreal room = box->contentsRect().width() - 2 * margin;
    if (box->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        room -= box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box->verticalScrollBar());
    return room;
}

// The dialog unit the tab stops are set in: the font's, or less where the box is too narrow for
// the columns at the font's unit (a stand-in font wider than the one the box was made for). The
// columns end, the last as wide as the one before it, inside `room`.
qreal fittedUnit(const QFont& font, const std::vector<int>& stops, qreal room) {
    const qreal unit = dialogUnit(font);
    if (stops.size() < 2 || room <= 0) return unit;
    const int columnsEnd = 2 * stops.back() - stops[stops.size() - 2];
    return columnsEnd > 0 ? std::min(unit, room / columnsEnd) : unit;
}

// `current` with the tab stops given in dialog units of `unit` pixels; false when they are
// already set.
bool withTabStops(QTextOption& current, qreal unit, const std::vector<int>& stops) {
    if (stops.empty()) return false;
    QTextOption option = current;
    if (stops.size() == 1) {
        option.setTabs({});
        option.setTabStopDistance(stops.front() * unit);
    } else {
        QList<QTextOption::Tab> tabs;
        for (int stop : stops) tabs << QTextOption::Tab(stop * unit, QTextOption::LeftTab);
        option.setTabs(tabs);
    }
    // Setting the same stops again would lay out the whole text anew.
    if (option.tabs() == current.tabs() && option.tabStopDistance() == current.tabStopDistance()) return false;
    current = option;
    return true;
}

}  // namespace

void setTabStops(QPlainTextEdit* box, const std::vector<int>& stops) {
    if (!box) return;
    QTextOption option = box->document()->defaultTextOption();
    const qreal unit = fittedUnit(box->font(), stops, textRoom(box, box->document()->documentMargin()));
    if (withTabStops(option, unit, stops)) box->document()->setDefaultTextOption(option);
}

void setTabStops(ReportBox* box, const std::vector<int>& stops) {
    if (!box) return;
    QTextOption option = box->textOption();
    if (withTabStops(option, tabUnit(box, stops), stops)) box->setTextOption(option);
}

qreal tabUnit(const ReportBox* box, const std::vector<int>& stops) {
    return fittedUnit(box->font(), stops, textRoom(box, ReportBox::kMargin));
}

}  // namespace ui
