#pragma once
#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <thread>

#include "samples_csv.h"

namespace ostrevo::ui {

// One period's samples written to a file on a thread of its own, while the
// windows go on answering. The text goes beside the chosen file and takes its
// place once whole: a stopped or failed export leaves whatever was there.
class CsvExport : public QObject {
    Q_OBJECT
public:
    // Starts at once.
    CsvExport(SamplesCsv csv, QString path);
    // Stops and waits for the thread (a few milliseconds).
    ~CsvExport() override;
    CsvExport(const CsvExport&) = delete;
    CsvExport& operator=(const CsvExport&) = delete;

    // No row is written after this; the file is left as it was.
    void stop() { stop_ = true; }
    double doneFraction() const;
    const QString& path() const { return path_; }

signals:
    // On this object's thread, once: written whole (both false and empty),
    // stopped, or failed for `failure`.
    void ended(bool stopped, const QString& failure);

private:
    void write();

    const SamplesCsv csv_;
    const QString path_;
    std::atomic<std::int64_t> rowsWritten_ = 0;
    std::atomic<bool> stop_ = false;
    std::thread thread_;  // last: it starts once the rest is there
};

}  // namespace ostrevo::ui
