#include "platform/print/PaperPage.h"

#include "platform/files/NewFile.h"
#include "platform/ui/Messages.h"

#include <cups/cups.h>

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <stdexcept>

namespace print {

namespace {

Page* gPrinter = nullptr;

// The folder PDF printouts go to when KESTRIVANE_PRINT_DIR is set, or "" when it is not.
QString printDirSetting() { return qEnvironmentVariable("KESTRIVANE_PRINT_DIR"); }

// The default CUPS printer's name, or "" when there is none.
QString defaultPrinterName() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return info.isNull() ? QString() : info.printerName();
}

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

// Hands the PDF document to the CUPS queue `printer` as a job named `jobName`. Returns "" when
// the queue took the job, else the reason it gave for refusing it (not accepting jobs, full,
// gone). The job is sent by the program itself rather than by QPrinter, which drops that answer.
QString sendToPrinter(const QString& printer, const QString& jobName, const QByteArray& pdf) {
    // A printer's instance ("name/instance") holds options of the user's; the queue is the name.
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray title = jobName.toUtf8();
    cups_option_t* options = nullptr;
    const int optionCount = cupsAddOption("media", "Letter", 0, &options);
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), title.constData(),
                                  optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (job == 0) return QString::fromUtf8(cupsLastErrorString());
    bool sent = cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job, title.constData(),
                                  CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE;
    sent = sent && cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(),
                                        static_cast<size_t>(pdf.size())) == HTTP_STATUS_CONTINUE;
    sent = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) == IPP_STATUS_OK && sent;
    if (sent) return QString();
    const QString reason = QString::fromUtf8(cupsLastErrorString());
    cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
    return reason;
}

// Whether the CUPS queue `printer` is paused (stopped): a job waits in it until it goes on.
bool printerPaused(const QString& printer) {
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!dest) return false;
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const bool paused = state && QByteArray(state).toInt() == IPP_PSTATE_STOPPED;
    cupsFreeDests(1, dest);
    return paused;
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
    QString printerName;
    QBuffer job;
    std::unique_ptr<files::NewFile> file;
    std::unique_ptr<QPdfWriter> pdf;        // that writes into one of them
    QString jobName;
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

void PaperPage::beginDocument() {
    auto d = std::make_unique<Device>();
    const QPageLayout::Orientation o =
        orientation() == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    d->printerName = printDirSetting().isEmpty() ? defaultPrinterName() : QString();
    d->jobName = jobName();
    d->pdfFolder = pdfFolder();
    d->stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    QPageLayout layout;
    if (!d->printerName.isEmpty()) {
        // The sheet as the printer takes it: letter, less the margins it cannot print on.
        QPrinter probe(QPrinter::HighResolution);
        probe.setPrinterName(d->printerName);
        probe.setPageSize(QPageSize(QPageSize::Letter));
        probe.setPageOrientation(o);
        layout = probe.pageLayout();
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
        const double margin = kLetterMarginInches * 72;  // in points
        layout = QPageLayout(QPageSize(QPageSize::Letter), o,
                             QMarginsF(margin, margin, margin, margin), QPageLayout::Point);
    }
    d->pdf->setResolution(600);
    d->pdf->setPageLayout(layout);
    d->pdf->setCreator(QStringLiteral("Kestrivane"));
    d->pdf->setTitle(d->jobName);
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
    const bool drawn = d->painter.end();
    portraitInches_ = landscapeInches_ = QSizeF();
    lastPdf_.clear();
    d->pdf.reset();
    if (!drawn)
        throw std::runtime_error(d->file ? pdfNotWritten(pdfName(d->pdfFolder, d->stamp, 1),
                                                         d->file->failure())
                                         : std::string("The printout could not be made."));
    QString refused;
    if (!d->printerName.isEmpty()) {
        refused = sendToPrinter(d->printerName, d->jobName, d->job.data());
        if (refused.isEmpty()) {
            if (printerPaused(d->printerName))
                ui::msgBox(QStringLiteral("The printer %1 is paused: the printout \"%2\" waits in "
                                          "its queue and is printed once the printer goes on.")
                               .arg(d->printerName, d->jobName),
                           ui::Buttons::OK, QStringLiteral("Print"));
            return;
        }
        // The printout is kept where it would have gone without a printer.
        const QString first = pdfName(d->pdfFolder, d->stamp, 1);
        const QString noFolder = files::makeFolder(d->pdfFolder);
        d->file = std::make_unique<files::NewFile>(first);
        if (noFolder.isEmpty()) d->file->write(d->job.data());
        else d->file->failWith(noFolder);
    }
    if (!refused.isEmpty() && !refused.endsWith(QLatin1Char('.'))) refused += QLatin1Char('.');
    const QString notPrinted =
        QStringLiteral("The printout \"%1\" was not printed: the printer %2 refused it: %3\n\n")
            .arg(d->jobName, d->printerName, refused);
    // The first free name of the printout's: a name taken meanwhile, by anyone, is passed by.
    QString name = pdfName(d->pdfFolder, d->stamp, 1);
    const bool written = d->file->failure().isEmpty();
    for (int n = 2; !written || !d->file->place(name, files::NewFile::Existing::Keep); ++n) {
        if (!written || !d->file->nameTaken() || n > 1000) {
            const QString notWritten = pdfNotWrittenText(name, d->file->failure());
            throw std::runtime_error(
                (refused.isEmpty() ? notWritten : notPrinted + notWritten).toStdString());
        }
        name = pdfName(d->pdfFolder, d->stamp, n);
    }
    lastPdf_ = name;
    const QString saved =
        QStringLiteral("The printout was saved as %1").arg(QDir::toNativeSeparators(lastPdf_));
    if (!refused.isEmpty()) throw std::runtime_error((notPrinted + saved).toStdString());
    ui::msgBox(saved, ui::Buttons::OK, QStringLiteral("Print"));
}

void PaperPage::abandonDocument() {
    if (!dev_) return;
    std::unique_ptr<Device> d = std::move(dev_);
    portraitInches_ = landscapeInches_ = QSizeF();
    d->painter.end();
    d->pdf.reset();
    d->file.reset();  // the partial file goes
}

// The printable area in inches of the paper the next document goes to: that of a common letter
// printer for a PDF, the default printer's printable area otherwise. Asked once per document and orientation.
QSizeF PaperPage::printableInches() const {
    if (dev_) return QSizeF(dev_->area.width() / dev_->dpi, dev_->area.height() / dev_->dpi);
    const bool landscape = orientation() == Orientation::Landscape;
    QSizeF& cached = landscape ? landscapeInches_ : portraitInches_;
    if (cached.isEmpty()) {
        const QString name = printDirSetting().isEmpty() ? defaultPrinterName() : QString();
        if (name.isEmpty()) {
            cached = letterPrintableInches(orientation());
        } else {
            QPrinter probe(QPrinter::HighResolution);
            probe.setPrinterName(name);
            probe.setPageSize(QPageSize(QPageSize::Letter));
            probe.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            cached = probe.pageLayout().paintRect(QPageLayout::Inch).size();
        }
    }
    return cached;
}

double PaperPage::paperWidthInches() const { return printableInches().width(); }

double PaperPage::paperHeightInches() const { return printableInches().height(); }

}  // namespace print
