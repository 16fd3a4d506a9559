#include "platform/ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QTextOption>

#include "platform/ui/Events.h"
#include "platform/ui/ReportBox.h"

namespace ui {

namespace {

template <class T>
T* named(T* control, const QString& name) {
    control->setObjectName(name);
    return control;
}

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

QLineEdit* textBox(QWidget* parent, const QString& name, const QString& text) {
    auto* box = named(new QLineEdit(text, parent), name);
    box->setCursorPosition(0);
    // Text set by the program shows from its start, as in a text box of the original, also when
    // it is longer than the box; typing keeps the cursor where the user puts it.
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (!box->isModified()) box->setCursorPosition(0);
    });
    return box;
}

QPlainTextEdit* multiLineBox(QWidget* parent, const QString& name) {
    auto* box = named(new QPlainTextEdit(parent), name);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Shown only for a line longer than the box, which a box without wrapping can hold.
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setTabChangesFocus(true);
    return box;
}

namespace {
// What setMultiLineText was given, and what the box showed of it.
const char* const kGivenText = "kestrivaneGivenText";
const char* const kShownText = "kestrivaneShownText";
}  // namespace

void setMultiLineText(QPlainTextEdit* box, const QString& text) {
    box->setPlainText(text);
    box->setProperty(kGivenText, text);
    box->setProperty(kShownText, box->toPlainText());
}

QString multiLineText(const QPlainTextEdit* box) {
    QString shown = box->toPlainText();
    if (shown == box->property(kShownText).toString()) return box->property(kGivenText).toString();
    return shown.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
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
    clickLikeTheMouse(option);
    return option;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption) {
    return named(new QGroupBox(caption, parent), name);
}

QListWidget* listBox(QWidget* parent, const QString& name) {
    auto* list = named(new QListWidget(parent), name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QComboBox* comboBox(QWidget* parent, const QString& name, bool editable) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(editable);
    // An empty placeholder keeps Qt from choosing the first item when the list is filled.
    combo->setPlaceholderText(QStringLiteral(" "));
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
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

namespace {

// `current` with the tab stops given in dialog units of `font`; false when they are already set.
bool withTabStops(QTextOption& current, const QFont& font, const std::vector<int>& stops) {
    if (stops.empty()) return false;
    // Average width of the letters, as dialog units are reckoned.
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const qreal unit = QFontMetricsF(font).horizontalAdvance(letters) / letters.size() / 4;
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
    if (withTabStops(option, box->font(), stops)) box->document()->setDefaultTextOption(option);
}

void setTabStops(ReportBox* box, const std::vector<int>& stops) {
    if (!box) return;
    QTextOption option = box->textOption();
    if (withTabStops(option, box->font(), stops)) box->setTextOption(option);
}

}  // namespace ui
