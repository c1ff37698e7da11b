#include "ui/pdf_file_surface.h"

#include <QPageSize>

#include <unistd.h>

#include "data/disk/safe_write.h"
#include "data/disk/stale_temporaries.h"

namespace hanaki {

QPageLayout DefaultPdfLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kPrintoutMargins,
                       QPageLayout::Millimeter);
}

QPageLayout PrintoutLayout(const QPageLayout& chosen) {
    return QPageLayout(chosen.pageSize(), chosen.orientation(), kPrintoutMargins,
                       QPageLayout::Millimeter);
}

bool IsStandardOutputName(const std::string& path) {
    return path == "-" || path == "/dev/stdout";
}

PdfFileSurface::PdfFileSurface(FileSystem& fs, std::string path, const QPageLayout& layout,
                               const QString& title)
    : fs_(fs),
      path_(std::move(path)),
      buffer_(&bytes_),
      writer_(&buffer_),
      painter_(writer_, QString::fromStdString(path_)) {
    buffer_.open(QIODevice::WriteOnly);
    writer_.setPageLayout(layout);
    writer_.setTitle(title);
    writer_.setCreator(QStringLiteral("hanaki"));
}

IoResult PdfFileSurface::End() {
    const IoResult drawn = painter_.End();
    if (!drawn.ok())
        return drawn;
    const std::string_view bytes(bytes_.constData(), static_cast<std::size_t>(bytes_.size()));
    if (IsStandardOutputName(path_)) {
        std::size_t written = 0;
        int err = fs_.Write(STDOUT_FILENO, bytes.data(), bytes.size(), written);
        return err == 0 ? IoResult::Ok() : IoResult::Fail(IoStep::Write, err, "標準出力");
    }
    // A printout killed while writing left its temporary file beside the PDF.
    RemoveStaleTemporaryFiles(fs_, FolderOf(path_));
    return WriteFileAtomically(fs_, path_, bytes);
}

}  // namespace hanaki
