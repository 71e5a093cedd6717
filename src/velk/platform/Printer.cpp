#include "Printer.h"

#include "Dialogs.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <algorithm>

namespace velk {

PrintJob::~PrintJob() = default;
Printer::~Printer() = default;

namespace {

std::unique_ptr<Printer> &installed()
{
    static std::unique_ptr<Printer> printer;
    return printer;
}

// The sheet in its upright size, turned by the orientation; errors setting the
// orientation leave the device as it was.
void setUpPage(QPagedPaintDevice &device, const QSizeF &paperCm, bool landscape)
{
    const double w = std::max(1.0, paperCm.width()) * 10;
    const double h = std::max(1.0, paperCm.height()) * 10;
    const QPageSize size(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Millimeter);
    const QPageLayout layout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    device.setPageLayout(layout);
}

class DeviceJob : public PrintJob
{
public:
    explicit DeviceJob(QPagedPaintDevice *device)
        : m_device(device)
        , m_canvas(device, ScaleMode::Centimeters)
    {
        m_canvas.painter(); // the document starts with its first page
    }
    Canvas &canvas() override { return m_canvas; }
    void newPage() override { m_device->newPage(); }
    bool finish() override
    {
        m_canvas.end();
        return true;
    }

protected:
    QPagedPaintDevice *m_device;
    Canvas m_canvas;
};

class PrinterJob : public DeviceJob
{
public:
    explicit PrinterJob(std::unique_ptr<QPrinter> printer)
        : DeviceJob(printer.get())
        , m_printer(std::move(printer))
    {
    }
    ~PrinterJob() override { m_canvas.end(); }
    bool finish() override
    {
        DeviceJob::finish();
        return m_printer->printerState() != QPrinter::Error;
    }

private:
    std::unique_ptr<QPrinter> m_printer;
};

std::unique_ptr<PrintJob> printerJob(std::unique_ptr<QPrinter> printer, const QString &title, const QSizeF &paperCm,
                                     bool landscape)
{
    printer->setFullPage(true);
    printer->setDocName(title);
    printer->setCreator(QStringLiteral("velkGUI"));
    setUpPage(*printer, paperCm, landscape);
    return std::make_unique<PrinterJob>(std::move(printer));
}

class PdfJob : public PrintJob
{
public:
    PdfJob(const QString &path, const QString &title, const QSizeF &paperCm, bool landscape)
        : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly))
            return;
        m_writer = std::make_unique<QPdfWriter>(&m_file);
        m_writer->setTitle(title);
        m_writer->setCreator(QStringLiteral("velkGUI"));
        setUpPage(*m_writer, paperCm, landscape);
        m_canvas = std::make_unique<Canvas>(m_writer.get(), ScaleMode::Centimeters);
        m_canvas->painter();
    }
    ~PdfJob() override
    {
        if (m_canvas)
            m_canvas->end();
    }
    bool isOpen() const { return m_canvas != nullptr; }
    Canvas &canvas() override { return *m_canvas; }
    void newPage() override { m_writer->newPage(); }
    bool finish() override
    {
        m_canvas->end();
        return m_file.commit();
    }

private:
    QSaveFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<Canvas> m_canvas;
};

class RecordingJob : public PrintJob
{
public:
    RecordingJob(std::shared_ptr<std::vector<RecordingPrinter::Job>> jobs, size_t index)
        : m_jobs(std::move(jobs))
        , m_index(index)
    {
        m_canvas.setRecording(true, false);
    }
    ~RecordingJob() override
    {
        if (!m_done)
            storePage();
    }
    Canvas &canvas() override { return m_canvas; }
    void newPage() override
    {
        storePage();
        m_canvas.clearRecording();
    }
    bool finish() override
    {
        storePage();
        m_done = true;
        (*m_jobs)[m_index].finished = true;
        return true;
    }

private:
    void storePage() { (*m_jobs)[m_index].pages.push_back(m_canvas.recording()); }

    std::shared_ptr<std::vector<RecordingPrinter::Job>> m_jobs;
    size_t m_index;
    Canvas m_canvas{nullptr, ScaleMode::Centimeters};
    bool m_done = false;
};

} // namespace

Printer &Printer::instance()
{
    if (!installed())
        installed() = std::make_unique<SystemPrinter>();
    return *installed();
}

std::unique_ptr<Printer> Printer::setInstance(std::unique_ptr<Printer> printer)
{
    std::unique_ptr<Printer> previous = std::move(installed());
    installed() = std::move(printer);
    return previous;
}

std::unique_ptr<PrintJob> SystemPrinter::startJob(const QString &title, const QSizeF &paperCm, bool landscape)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return printerJob(std::make_unique<QPrinter>(info, QPrinter::HighResolution), title, paperCm, landscape);
}

bool SystemPrinter::isAvailable() const
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

std::unique_ptr<PrintJob> DialogPrinter::startJob(const QString &title, const QSizeF &paperCm, bool landscape)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    setUpPage(*printer, paperCm, landscape);
    QPrintDialog dialog(printer.get());
    dialog.setWindowTitle(title);
    if (Dialogs::instance().exec(dialog) != QDialog::Accepted)
        return nullptr;
    return printerJob(std::move(printer), title, paperCm, landscape);
}

bool DialogPrinter::isAvailable() const
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

PdfPrinter::PdfPrinter(const QString &path)
    : m_path(path)
{
}

std::unique_ptr<PrintJob> PdfPrinter::startJob(const QString &title, const QSizeF &paperCm, bool landscape)
{
    auto job = std::make_unique<PdfJob>(m_path, title, paperCm, landscape);
    if (!job->isOpen())
        return nullptr;
    return job;
}

bool PdfPrinter::isAvailable() const { return !m_path.isEmpty(); }

std::unique_ptr<PrintJob> RecordingPrinter::startJob(const QString &title, const QSizeF &paperCm, bool landscape)
{
    m_jobs->push_back({title, paperCm, landscape, false, {}});
    return std::make_unique<RecordingJob>(m_jobs, m_jobs->size() - 1);
}

bool RecordingPrinter::isAvailable() const { return true; }

ScopedPrinter::ScopedPrinter(std::unique_ptr<Printer> printer)
    : m_previous(Printer::setInstance(std::move(printer)))
{
}

ScopedPrinter::~ScopedPrinter()
{
    Printer::setInstance(std::move(m_previous));
}

} // namespace velk
