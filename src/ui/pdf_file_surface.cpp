#include "ui/pdf_file_surface.h"

#include <QPageSize>

#include "data/safe_write.h"

namespace hanaki {

QPageLayout DefaultPdfLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                       QPageLayout::Millimeter);
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
    return WriteFileAtomically(fs_, path_, std::string_view(bytes_.constData(), bytes_.size()));
}

}  // namespace hanaki
