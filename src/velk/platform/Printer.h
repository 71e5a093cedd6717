#pragma once

// The printer seam: every print-out draws its pages on a Canvas whose scale is
// centimetres from the paper's top-left corner (full-page mode, no printer margins).
// The real implementations print on the default CUPS printer, on one the user picks, or
// into a PDF file; tests install a recording printer or none at all.

#include <velk/platform/Canvas.h>
#include <velk/velk_export.h>

#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

namespace velk {

/// One document being printed.
class VELK_EXPORT PrintJob
{
public:
    virtual ~PrintJob();
    /// The current page's canvas: centimetres from the paper's corner.
    virtual Canvas &canvas() = 0;
    /// Ends the current page and starts the next one.
    virtual void newPage() = 0;
    /// Ends the document; false when it could not be printed or written.
    virtual bool finish() = 0;
};

class VELK_EXPORT Printer
{
public:
    virtual ~Printer();
    /// Starts a document titled `title` on paper `paperCm` (width × height as drawn;
    /// `landscape` turns the sheet). nullptr when there is no printer or the user
    /// cancelled.
    virtual std::unique_ptr<PrintJob> startJob(const QString &title, const QSizeF &paperCm, bool landscape) = 0;
    /// Whether there is a printer to print on at all.
    virtual bool isAvailable() const = 0;

    /// The installed printer (the system's default printer unless another was installed).
    static Printer &instance();
    /// Installs `printer` (nullptr: the default printer again); returns the previous one.
    static std::unique_ptr<Printer> setInstance(std::unique_ptr<Printer> printer);
};

/// The system's default printer (CUPS); not available when none is installed.
class VELK_EXPORT SystemPrinter : public Printer
{
public:
    std::unique_ptr<PrintJob> startJob(const QString &title, const QSizeF &paperCm, bool landscape) override;
    bool isAvailable() const override;
};

/// Lets the user pick a printer in a print dialog (shown through Dialogs::exec).
class VELK_EXPORT DialogPrinter : public Printer
{
public:
    std::unique_ptr<PrintJob> startJob(const QString &title, const QSizeF &paperCm, bool landscape) override;
    bool isAvailable() const override;
};

/// Writes every job as a PDF file at `path`, replaced atomically when the job finishes.
class VELK_EXPORT PdfPrinter : public Printer
{
public:
    explicit PdfPrinter(const QString &path);
    std::unique_ptr<PrintJob> startJob(const QString &title, const QSizeF &paperCm, bool landscape) override;
    bool isAvailable() const override;
    QString path() const { return m_path; }

private:
    QString m_path;
};

/// Records every job: each page is the list of operations drawn on it (a recording
/// canvas without a device).
class VELK_EXPORT RecordingPrinter : public Printer
{
public:
    struct Job
    {
        QString title;
        QSizeF paperCm;
        bool landscape = false;
        bool finished = false;
        std::vector<std::vector<DrawOp>> pages;
    };
    std::unique_ptr<PrintJob> startJob(const QString &title, const QSizeF &paperCm, bool landscape) override;
    bool isAvailable() const override;
    const std::vector<Job> &jobs() const { return *m_jobs; }

private:
    std::shared_ptr<std::vector<Job>> m_jobs = std::make_shared<std::vector<Job>>();
};

/// A machine without printers.
class VELK_EXPORT NoPrinter : public Printer
{
public:
    std::unique_ptr<PrintJob> startJob(const QString &, const QSizeF &, bool) override { return nullptr; }
    bool isAvailable() const override { return false; }
};

/// Installs `printer` for its lifetime and puts the previous one back.
class VELK_EXPORT ScopedPrinter
{
public:
    explicit ScopedPrinter(std::unique_ptr<Printer> printer);
    ~ScopedPrinter();
    ScopedPrinter(const ScopedPrinter &) = delete;
    ScopedPrinter &operator=(const ScopedPrinter &) = delete;

private:
    std::unique_ptr<Printer> m_previous;
};

} // namespace velk
