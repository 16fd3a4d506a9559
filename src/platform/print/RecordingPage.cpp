#include "platform/print/RecordingPage.h"

namespace print {

RecordingPage::RecordingPage() { previous_ = detail::swapPrinter(this); }

RecordingPage::~RecordingPage() { detail::swapPrinter(previous_); }

std::vector<RecordingPage::Item> RecordingPage::texts() const {
    std::vector<Item> out;
    for (const Item& i : items_)
        if (i.kind == Kind::Text) out.push_back(i);
    return out;
}

std::vector<RecordingPage::Item> RecordingPage::strokes() const {
    std::vector<Item> out;
    for (const Item& i : items_)
        if (i.kind == Kind::Line || i.kind == Kind::Box) out.push_back(i);
    return out;
}

const RecordingPage::Item* RecordingPage::findText(const QString& text) const {
    for (const Item& i : items_)
        if (i.kind == Kind::Text && i.text == text) return &i;
    return nullptr;
}

std::vector<RecordingPage::Item> RecordingPage::findTexts(const QString& text) const {
    std::vector<Item> out;
    for (const Item& i : items_)
        if (i.kind == Kind::Text && i.text == text) out.push_back(i);
    return out;
}

void RecordingPage::clear() { items_.clear(); }

void RecordingPage::beginDocument() { ++document_; }

void RecordingPage::beginPage(int) {}

void RecordingPage::drawText(const TextRun& run) {
    Item i;
    i.kind = Kind::Text;
    i.document = document_;
    i.page = pageNumber();
    i.x = run.x;
    i.y = run.y;
    i.text = run.text;
    i.fontName = run.fontName;
    i.fontSize = run.fontSize;
    i.bold = run.bold;
    i.italic = run.italic;
    items_.push_back(i);
}

void RecordingPage::drawStroke(const Stroke& s) {
    Item i;
    i.kind = s.box ? Kind::Box : Kind::Line;
    i.document = document_;
    i.page = pageNumber();
    i.x = s.x1;
    i.y = s.y1;
    i.x2 = s.x2;
    i.y2 = s.y2;
    i.dots = s.dots;
    i.dotted = s.dotted;
    items_.push_back(i);
}

void RecordingPage::drawPicture(const QImage&, double x, double y, double w, double h) {
    Item i;
    i.kind = Kind::Picture;
    i.document = document_;
    i.page = pageNumber();
    i.x = x;
    i.y = y;
    i.x2 = x + w;
    i.y2 = y + h;
    items_.push_back(i);
}

void RecordingPage::finishDocument() { ++ended_; }

void RecordingPage::abandonDocument() { ++killed_; }

double RecordingPage::paperWidthInches() const { return letterPrintableInches(orientation()).width(); }

double RecordingPage::paperHeightInches() const { return letterPrintableInches(orientation()).height(); }

}  // namespace print
