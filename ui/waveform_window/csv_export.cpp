#include "csv_export.h"

#include <QSaveFile>
#include <algorithm>

namespace ostrevo::ui {
namespace {

// Rows written between two looks at a stop: a few milliseconds of work.
constexpr std::int64_t kRowsAtOnce = 1 << 15;

}  // namespace

CsvExport::CsvExport(SamplesCsv csv, QString path)
    : csv_(std::move(csv)), path_(std::move(path)), thread_([this] { write(); }) {}

CsvExport::~CsvExport() {
    stop();
    thread_.join();
}

double CsvExport::doneFraction() const {
    const std::int64_t rows = csv_.rowCount();
    return rows == 0 ? 1.0 : double(rowsWritten_) / double(rows);
}

void CsvExport::write() {
    QSaveFile file(path_);
    const TextSink sink = [&](std::string_view piece) {
        return !stop_ && file.write(piece.data(), qint64(piece.size())) == qint64(piece.size());
    };
    bool written = file.open(QIODevice::WriteOnly) && sink(csv_.header());
    for (std::int64_t first = 0; written && first < csv_.rowCount(); first += kRowsAtOnce) {
        written = csv_.writeRows(first, kRowsAtOnce, sink);
        rowsWritten_ = std::min(first + kRowsAtOnce, csv_.rowCount());
    }
    written = written && !stop_ && file.commit();
    const bool stopped = !written && stop_;
    QString failure;
    if (!written) {
        if (!stopped) failure = file.errorString();
        file.cancelWriting();
    }
    // Dropped unread when this object goes first.
    QMetaObject::invokeMethod(this, [this, stopped, failure] { emit ended(stopped, failure); }, Qt::QueuedConnection);
}

}  // namespace ostrevo::ui
