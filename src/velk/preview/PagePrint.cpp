#include "PagePrint.h"

#include "PageScript_p.h"
#include "PageText.h"

#include <velk/platform/Printer.h>

namespace velk {

int printDocument(const PageDocument &document, PageRenderer &renderer, Printer &printer, const QString &jobTitle)
{
    const QSizeF paper = document.paperCm();
    auto job = printer.startJob(jobTitle, paper, paper.width() >= paper.height());
    if (!job)
        return -1;
    const int pages = renderer.pageCount();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            job->newPage();
        renderer.drawPage(page, job->canvas());
    }
    return job->finish() ? pages : -1;
}

int PrintPageText(const QString &txt, const QString &repl, Printer &printer, const QString &jobTitle,
                  const QDateTime &clock)
{
    const PageDocument document(ExpandPageText(txt, repl));
    PageClock pageClock;
    if (clock.isValid())
        pageClock = {clock.date(), clock.time()};
    PageRenderer renderer(document, pageClock);
    renderer.countPages();
    return printDocument(document, renderer, printer, jobTitle);
}

} // namespace velk
