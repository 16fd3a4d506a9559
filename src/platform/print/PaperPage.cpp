#include "platform/print/PaperPage.h"

#include "platform/files/NewFile.h"
#include "platform/print/PrintService.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Waiting.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <stdexcept>

namespace print {

namespace {

Page* gPrinter = nullptr;

// The folder PDF printouts go to when KESTRIVANE_PRINT_DIR is set, or "" when it is not.
QString printDirSetting() { return qEnvironmentVariable("KESTRIVANE_PRINT_DIR"); }

// The name of a printout begun at `stamp`: "Printout <stamp>.pdf", or from the second on
// "Printout <stamp> (n).pdf".
QString pdfName(const QString& folder, const QString& stamp, int n) {
    return QDir(folder).filePath(n == 1 ? QStringLiteral("Printout %1.pdf").arg(stamp)
                                        : QStringLiteral("Printout %1 (%2).pdf").arg(stamp).arg(n));
}

QString pdfNotWrittenText(const QString& file, const QString& reason) {
    return QStringLiteral("The PDF file %1 could not be written: %2.")
        .arg(QDir::toNativeSeparators(file), reason);
}

std::string pdfNotWritten(const QString& file, const QString& reason) {
    return pdfNotWrittenText(file, reason).toStdString();
}

}  // namespace

QString pdfFolder() {
    const QString setting = printDirSetting();
    if (!setting.isEmpty()) return setting;
    const QString home = qEnvironmentVariable("KESTRIVANE_HOME");
    if (!home.isEmpty()) return home;
    return QDir::home().filePath(QStringLiteral("Kestrivane"));
}

Page& printer() {
    if (gPrinter) return *gPrinter;
    static PaperPage paper;
    return paper;
}

Page* detail::swapPrinter(Page* page) {
    Page* old = gPrinter;
    gPrinter = page;
    return old;
}

struct PaperPage::Device {
    // For a printer, the document is made as a PDF in memory and sent as one job once it is
    // complete; for none, it is a PDF file, written beside its final name first.
    QBuffer job;
    std::unique_ptr<files::NewFile> file;
    std::unique_ptr<QPdfWriter> pdf;        // that writes into one of them
    QString pdfFolder;
    QString stamp;                          // when the document began
    QPainter painter;
    QRectF area;      // printable area in device pixels, relative to the painter's origin
    double dpi = 600;

    QPagedPaintDevice* device() const { return pdf.get(); }
};

PaperPage::PaperPage() = default;
PaperPage::~PaperPage() {
    if (dev_ && dev_->painter.isActive()) abandonDocument();
}

const DefaultPrinter& PaperPage::printerOfPrintout() const {
    if (!printer_) {
        DefaultPrinter found;
        waits_ = WaitBudget();
        if (printDirSetting().isEmpty())
            ui::waitWhile(QStringLiteral("Print"), QStringLiteral("Looking for the printer..."),
                          [this, &found] { found = lookUpDefaultPrinter(waits_); });
        printer_ = std::make_unique<DefaultPrinter>(std::move(found));
    }
    return *printer_;
}

void PaperPage::endPrintout() { printer_.reset(); }

double PaperPage::marginInches() const {
    const DefaultPrinter& printer = printerOfPrintout();
    return printer.state == DefaultPrinter::State::Found ? printer.marginInches : kLetterMarginInches;
}

void PaperPage::beginDocument() {
    auto d = std::make_unique<Device>();
    const QPageLayout::Orientation o =
        orientation() == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    d->pdfFolder = pdfFolder();
    d->stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    if (printerOfPrintout().state == DefaultPrinter::State::Found) {
        d->job.open(QIODevice::WriteOnly);
        d->pdf = std::make_unique<QPdfWriter>(&d->job);
    } else {
        const QString first = pdfName(d->pdfFolder, d->stamp, 1);
        const QString noFolder = files::makeFolder(d->pdfFolder);
        if (!noFolder.isEmpty()) throw std::runtime_error(pdfNotWritten(first, noFolder));
        d->file = std::make_unique<files::NewFile>(first);
        if (!d->file->failure().isEmpty())
            throw std::runtime_error(pdfNotWritten(first, d->file->failure()));
        d->pdf = std::make_unique<QPdfWriter>(d->file->device());
    }
    // The letter sheet, less the margin the printer cannot print on: on paper and in a PDF alike.
    const double margin = marginInches() * 72;  // in points
    d->pdf->setResolution(600);
    d->pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), o, QMarginsF(margin, margin, margin, margin),
                                      QPageLayout::Point));
    d->pdf->setCreator(QStringLiteral("Kestrivane"));
    d->pdf->setTitle(jobName());
    d->dpi = 600;
    d->area = QRectF(QPointF(0, 0), d->pdf->pageLayout().paintRectPixels(600).size());
    if (!d->painter.begin(d->device()))
        throw std::runtime_error(d->file ? pdfNotWritten(pdfName(d->pdfFolder, d->stamp, 1),
                                                         d->file->failure())
                                         : std::string("The printout could not be started."));
    dev_ = std::move(d);
}

void PaperPage::beginPage(int) {
    if (dev_) dev_->device()->newPage();
}

QPointF PaperPage::toDevice(double x, double y) const {
    return QPointF((x - scaleLeft()) * dev_->area.width() / scaleWidth(),
                   (y - scaleTop()) * dev_->area.height() / scaleHeight());
}

void PaperPage::drawText(const TextRun& run) {
    QPainter& p = dev_->painter;
    const QFont font = pageFont(run.fontName, run.fontSize, run.bold, run.italic);
    p.setFont(font);
    p.setPen(run.color);
    const QFontMetricsF fm(font, dev_->device());
    const QPointF top = toDevice(run.x, run.y);
    p.drawText(QPointF(top.x(), top.y() + fm.ascent()), run.text);
}

void PaperPage::drawStroke(const Stroke& s) {
    QPainter& p = dev_->painter;
    QPen pen(Qt::black);
    pen.setWidthF(s.dots);
    pen.setStyle(s.dotted ? Qt::DotLine : Qt::SolidLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF a = toDevice(s.x1, s.y1);
    const QPointF b = toDevice(s.x2, s.y2);
    if (s.box) p.drawRect(QRectF(a, b).normalized());
    else p.drawLine(a, b);
}

void PaperPage::drawPicture(const QImage& picture, double x, double y, double w, double h) {
    dev_->painter.drawImage(QRectF(toDevice(x, y), toDevice(x + w, y + h)), picture);
}

void PaperPage::finishDocument() {
    if (!dev_) return;
    std::unique_ptr<Device> d = std::move(dev_);
    const std::unique_ptr<DefaultPrinter> printer = std::move(printer_);
    ui::BusyTask::say(QStringLiteral("Finishing the printout \"%1\"...").arg(jobName()), pagesDrawn(pageNumber()));
    const bool drawn = d->painter.end();
    lastPdf_.clear();
    d->pdf.reset();
    if (!drawn)
        throw std::runtime_error(d->file ? pdfNotWritten(pdfName(d->pdfFolder, d->stamp, 1),
                                                         d->file->failure())
                                         : std::string("The printout could not be made."));
    // Named as it is when it ends: a printout names its wrestler once it has found him.
    const QString job = jobName();
    QString notPrinted;
    QString mayPrint;
    if (printer->state == DefaultPrinter::State::Unreachable)
        notPrinted = QStringLiteral("the print service could not be reached: ") + printer->failure;
    if (printer->state == DefaultPrinter::State::Failed) notPrinted = printer->failure;
    if (printer->state == DefaultPrinter::State::Found) {
        const QString name = printer->shownName();
        const QByteArray pdf = d->job.data();
        JobAnswer answer;
        ui::waitWhile(QStringLiteral("Print"),
                      QStringLiteral("Sending the printout \"%1\" to the printer \"%2\"...").arg(job, name),
                      [&] { answer = sendJob(*printer, job, pdf, waits_); });
        if (answer.kind == JobAnswer::Kind::Queued) {
            if (printer->paused)
                ui::msgBox(QStringLiteral("The printer \"%1\" is paused: the printout \"%2\" waits in "
                                          "its queue and is printed once the printer goes on.")
                               .arg(name, job),
                           ui::Buttons::OK, QStringLiteral("Print"));
            return;
        }
        notPrinted = (answer.kind == JobAnswer::Kind::Refused
                          ? QStringLiteral("the printer \"%1\" refused it: %2")
                          : QStringLiteral("the printer \"%1\" could not be reached: %2"))
                         .arg(name, answer.reason);
        if (answer.kind == JobAnswer::Kind::MayPrint)
            mayPrint = QStringLiteral("The printout \"%1\" may print, whole or in part, or not at all: the "
                                      "printer \"%2\" stopped answering while it was sent: %3  Look at "
                                      "the printer and its queue before printing it again.\n\n")
                           .arg(job, name, answer.reason);
        // The printout is kept where it would have gone without a printer.
        const QString first = pdfName(d->pdfFolder, d->stamp, 1);
        const QString noFolder = files::makeFolder(d->pdfFolder);
        d->file = std::make_unique<files::NewFile>(first);
        if (noFolder.isEmpty()) d->file->write(pdf);
        else d->file->failWith(noFolder);
    }
    if (!mayPrint.isEmpty()) notPrinted = mayPrint;
    else if (!notPrinted.isEmpty())
        notPrinted = QStringLiteral("The printout \"%1\" was not printed: %2\n\n").arg(job, notPrinted);
    // The first free name of the printout's: a name taken meanwhile, by anyone, is passed by.
    QString name = pdfName(d->pdfFolder, d->stamp, 1);
    const bool written = d->file->failure().isEmpty();
    for (int n = 2; !written || !d->file->place(name, files::NewFile::Existing::Keep); ++n) {
        if (!written || !d->file->nameTaken() || n > 1000)
            throw std::runtime_error((notPrinted + pdfNotWrittenText(name, d->file->failure())).toStdString());
        name = pdfName(d->pdfFolder, d->stamp, n);
    }
    lastPdf_ = name;
    const QString saved =
        QStringLiteral("The printout was saved as %1").arg(QDir::toNativeSeparators(lastPdf_));
    if (!notPrinted.isEmpty()) throw std::runtime_error((notPrinted + saved).toStdString());
    ui::msgBox(saved, ui::Buttons::OK, QStringLiteral("Print"));
}

void PaperPage::abandonDocument() {
    if (!dev_) return;
    std::unique_ptr<Device> d = std::move(dev_);
    printer_.reset();
    d->painter.end();
    d->pdf.reset();
    d->file.reset();  // the partial file goes
}

// The printable area in inches of the letter sheet the next document goes to, less the margin
// its printer cannot print on (that of a common letter printer for a PDF).
QSizeF PaperPage::printableInches() const {
    if (dev_) return QSizeF(dev_->area.width() / dev_->dpi, dev_->area.height() / dev_->dpi);
    const double margin = marginInches();
    const QSizeF area(8.5 - 2 * margin, 11.0 - 2 * margin);
    return orientation() == Orientation::Landscape ? area.transposed() : area;
}
double PaperPage::paperWidthInches() const { return printableInches().width(); }

double PaperPage::paperHeightInches() const { return printableInches().height(); }

}  // namespace print
