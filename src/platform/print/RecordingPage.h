#pragma once

#include "platform/print/Page.h"

#include <QString>
#include <vector>

namespace print {

// A page that records what is drawn instead of printing it. While one lives, print::printer()
// returns it (tests):
//
//     print::RecordingPage rec;
//     printDualSummary(text);
//     const auto* t = rec.findText("Dual Match Summary");   // position, font, page
//     EXPECT_EQ(rec.pageCount(), 1);  EXPECT_EQ(rec.documentsEnded(), 1);
//
// Text is measured exactly as in a PDF printout, on the printable area of the letter sheet
// (letterPrintableInches).
class RecordingPage : public Page {
public:
    enum class Kind { Text, Line, Box, Picture };
    struct Item {
        Kind kind = Kind::Text;
        int document = 1;  // counts ended and dropped documents from 1
        int page = 1;
        double x = 0, y = 0;    // text: top-left corner; line/box/picture: first corner
        double x2 = 0, y2 = 0;  // line/box: second corner; picture: x + width, y + height
        QString text;           // a piece of a line between TABs, at the x its TAB moved to
        QString fontName;
        double fontSize = 0;
        bool bold = false, italic = false;
        int dots = 0;           // line width in device dots
        bool dotted = false;    // drawn dotted (only ever at width 1)
    };

    RecordingPage();
    ~RecordingPage() override;

    const std::vector<Item>& items() const { return items_; }
    std::vector<Item> texts() const;                 // text items, in drawing order
    std::vector<Item> strokes() const;               // lines and boxes
    const Item* findText(const QString& text) const; // first text item equal to text, or null
    std::vector<Item> findTexts(const QString& text) const;
    int pageCount() const { return pageNumber(); }   // pages of the current or last document
    int documentsEnded() const { return ended_; }
    int documentsKilled() const { return killed_; }
    void clear();

protected:
    void beginDocument() override;
    void beginPage(int page) override;
    void drawText(const TextRun& run) override;
    void drawStroke(const Stroke& s) override;
    void drawPicture(const QImage& picture, double x, double y, double w, double h) override;
    void finishDocument() override;
    void abandonDocument() override;
    double paperWidthInches() const override;
    double paperHeightInches() const override;

private:
    std::vector<Item> items_;
    int document_ = 0;
    int ended_ = 0;
    int killed_ = 0;
    Page* previous_ = nullptr;
};

}  // namespace print
