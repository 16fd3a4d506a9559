#include "platform/ui/Paste.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "platform/ui/Messages.h"

namespace ui {

namespace {

// A pasted text without the characters that no one types into a box: a tab, vertical tab or
// form feed becomes a blank; the other control characters (a NUL, an escape, DEL, the C1
// controls), the non-characters U+FFFE and U+FFFF and the format characters are dropped. Line
// breaks stay.
QString typeable(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : withoutFormatCharacters(text)) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
        const bool lineBreak = u == u'\r' || u == u'\n';
        if (u == u'\t' || u == u'\v' || u == u'\f')
            kept += QLatin1Char(' ');
        else if ((!control || lineBreak) && u != 0xFFFE && u != 0xFFFF)
            kept += c;
    }
    return kept;
}

// A pasted text as one line: each line break (CR LF, CR or LF) becomes one blank.
QString asOneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return typeable(text);
}

// Whether a paste of `size` characters fits the `room` a box has left; when not, the coach is
// told that nothing was pasted.
bool pasteFits(qsizetype size, qsizetype room) {
    if (size <= room) return true;
    msgBox(QStringLiteral("The text pasted has %1 characters, more than this box takes (%2): nothing "
                          "was pasted.")
               .arg(size)
               .arg(room),
           Buttons::OK, QStringLiteral("Paste"));
    return false;
}

// The Paste entry of a box's own context menu.
QAction* pasteEntry(const QMenu* menu) {
    for (QAction* action : menu->actions())
        if (action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste")) return action;
    return nullptr;
}

class OneLinePaste : public QObject {
public:
    explicit OneLinePaste(QLineEdit* box, QWidget* keyTarget) : QObject(box), box_(box) {
        box->installEventFilter(this);
        if (keyTarget) keyTarget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (box_->isReadOnly()) return false;
        switch (event->type()) {
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
                    paste(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
                    return true;
                }
                return false;
            case QEvent::MouseButtonRelease:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                    QGuiApplication::clipboard()->supportsSelection()) {
                    box_->deselect();
                    paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
                    return true;
                }
                return false;
            case QEvent::ContextMenu: {
                QMenu* menu = box_->createStandardContextMenu();
                if (QAction* action = pasteEntry(menu)) {
                    action->disconnect();
                    connect(action, &QAction::triggered, this,
                            [this] { paste(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
                }
                menu->setAttribute(Qt::WA_DeleteOnClose);
                menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const QMimeData* data = drop->mimeData();
                if (drop->source() == box_ || !data->hasText()) return false;
                box_->deselect();
                box_->setCursorPosition(box_->cursorPositionAt(drop->position().toPoint()));
                paste(data->text());
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
                return true;
            }
            default: return false;
        }
    }

private:
    void paste(const QString& pasted) {
        if (pasted.isEmpty() && !box_->hasSelectedText()) return;
        const QString text = asOneLine(pasted);
        const qsizetype room = box_->maxLength() - (box_->text().size() - box_->selectedText().size());
        if (pasteFits(text.size(), room)) box_->insert(text);
    }

    QLineEdit* box_;
};

// A multi-line box: Qt brings every paste and drop to insertFromMimeData.
class FilteredPlainTextEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData* source) override {
        if (!source->hasText()) return;
        const QString text = typeable(source->text());
        if (pasteFits(text.size(), room())) insertPlainText(text);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const QString typed = event->text();
        const bool types = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\r")) &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (types && !isReadOnly() && typed.size() > room()) {
            QApplication::beep();
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

private:
    // The characters the box may still take in place of its selection.
    qsizetype room() const {
        return kMultiLineMaxLength - (document()->characterCount() - 1 - textCursor().selectedText().size());
    }
};

}  // namespace

QString withoutFormatCharacters(const QString& text) {
    QList<uint> characters = text.toUcs4();
    characters.removeIf([](uint c) { return QChar::category(char32_t(c)) == QChar::Other_Format; });
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()), characters.size());
}

void filterPaste(QLineEdit* box, QWidget* keyTarget) { new OneLinePaste(box, keyTarget); }

QPlainTextEdit* multiLinePasteBox(QWidget* parent) { return new FilteredPlainTextEdit(parent); }

}  // namespace ui
