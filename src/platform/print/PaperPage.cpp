#include "platform/print/PaperPage.h"

#include "platform/files/NewFile.h"
#include "platform/ui/Messages.h"

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

std::string pdfNotWritten(const QString& file, const QString& reason) {
    return QStringLiteral("The PDF file %1 could not be written: %2.")
        .arg(QDir::toNativeSeparators(file), reason)
        .toStdString();
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
    std::unique_ptr<QPrinter> printer;  // a real printer
    std::unique_ptr<files::NewFile> file;  // or a PDF file, written beside its final name first
    std::unique_ptr<QPdfWriter> pdf;        // that writes into it
    QString pdfFolder;
    QString stamp;                          // when the document began
    QPainter painter;
    QRectF area;      // printable area in device pixels, relative to the painter's origin
    double dpi = 600;

    QPagedPaintDevice* device() const {
        return printer ? static_cast<QPagedPaintDevice*>(printer.get())
                       : static_cast<QPagedPaintDevice*>(pdf.get());
    }
};

PaperPage::PaperPage() = default;
PaperPage::~PaperPage() {
    if (dev_ && dev_->painter.isActive()) abandonDocument();
}

void PaperPage::beginDocument() {
    auto d = std::make_unique<Device>();
    const QPageLayout::Orientation o =
        orientation() == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    const QString printerName = printDirSetting().isEmpty() ? defaultPrinterName() : QString();
    if (!printerName.isEmpty()) {
        d->printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        d->printer->setPrinterName(printerName);
        d->printer->setPageSize(QPageSize(QPageSize::Letter));
        d->printer->setPageOrientation(o);
        d->printer->setFullPage(false);
        d->dpi = d->printer->resolution();
        d->area = QRectF(QPointF(0, 0), d->printer->pageLayout().paintRectPixels(d->printer->resolution()).size());
    } else {
        d->pdfFolder = pdfFolder();
        d->stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
        const QString first = pdfName(d->pdfFolder, d->stamp, 1);
        const QString noFolder = files::makeFolder(d->pdfFolder);
        if (!noFolder.isEmpty()) throw std::runtime_error(pdfNotWritten(first, noFolder));
        d->file = std::make_unique<files::NewFile>(first);
        if (!d->file->failure().isEmpty())
            throw std::runtime_error(pdfNotWritten(first, d->file->failure()));
        d->pdf = std::make_unique<QPdfWriter>(d->file->device());
        d->pdf->setResolution(600);
        const double margin = kLetterMarginInches * 72;  // in points
        d->pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), o,
                                          QMarginsF(margin, margin, margin, margin), QPageLayout::Point));
        d->pdf->setCreator(QStringLiteral("Kestrivane"));
        d->dpi = 600;
        d->area = QRectF(QPointF(0, 0), d->pdf->pageLayout().paintRectPixels(600).size());
    }
    if (!d->painter.begin(d->device()))
        throw std::runtime_error(d->printer ? std::string("The printer could not be started.")
                                            : pdfNotWritten(pdfName(d->pdfFolder, d->stamp, 1),
                                                            d->file->failure()));
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
    d->painter.end();
    portraitInches_ = landscapeInches_ = QSizeF();
    if (d->printer) {
        lastPdf_.clear();
        return;
    }
    d->pdf.reset();
    // The first free name of the printout's: a name taken meanwhile, by anyone, is passed by.
    QString name = pdfName(d->pdfFolder, d->stamp, 1);
    for (int n = 2; !d->file->place(name, files::NewFile::Existing::Keep); ++n) {
        if (!d->file->nameTaken() || n > 1000)
            throw std::runtime_error(pdfNotWritten(name, d->file->failure()));
        name = pdfName(d->pdfFolder, d->stamp, n);
    }
    lastPdf_ = name;
    ui::msgBox(QStringLiteral("The printout was saved as %1").arg(QDir::toNativeSeparators(lastPdf_)),
               ui::Buttons::OK, QStringLiteral("Print"));
}

void PaperPage::abandonDocument() {
    if (!dev_) return;
    std::unique_ptr<Device> d = std::move(dev_);
    portraitInches_ = landscapeInches_ = QSizeF();
    if (d->printer) d->printer->abort();
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
