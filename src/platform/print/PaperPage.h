#pragma once

#include "platform/print/Page.h"
#include "platform/print/PrintService.h"

#include <QSizeF>
#include <QString>
#include <memory>

class QPainter;
class QPagedPaintDevice;

namespace print {

// The folder PDF printouts go to: KESTRIVANE_PRINT_DIR, or the home folder when it is unset.
QString pdfFolder();

// The page on paper: a document goes to the default printer when CUPS has one, as one job named
// after the printout (Page::jobName, as it is when the document ends). When there is none, or
// KESTRIVANE_PRINT_DIR is set, it is written as a PDF file in pdfFolder(), named after the time it
// begins (the first name of that time not taken), and the user is told the file's name. The file
// is made new, never through a link (see files::NewFile). The printer is looked up once per
// printout, when it is first measured or drawn on; every wait on the print service is bounded
// (see PrintService.h), and the window goes on answering meanwhile. A printer that refuses the
// job (not accepting jobs, full) or a printer or print service that cannot be reached loses
// nothing: the printout is written as that PDF file, and the error says that it was not printed,
// why, and where it was saved.
class PaperPage : public Page {
public:
    PaperPage();
    ~PaperPage() override;

    void endPrintout() override;

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
    struct Device;
    QPointF toDevice(double x, double y) const;
    QSizeF printableInches() const;
    // The printer of the printout under way, looked up on first use; kept until it ends
    // (endPrintout) or its document does.
    const DefaultPrinter& printerOfPrintout() const;
    double marginInches() const;

    std::unique_ptr<Device> dev_;
    QString lastPdf_;
    mutable std::unique_ptr<DefaultPrinter> printer_;
    // What the printout may still wait for the print service, its look-up and its send together.
    mutable WaitBudget waits_;
};

}  // namespace print
