#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/MainModule.h"
#include "core/comRegistry.h"
#include "platform/registry/Registry.h"

// The settings a start reads before its first window shows, with a settings file that is empty or
// holds about 1 MB of other values, or many sibling keys listed out of name order. The first read of
// a start parses the file; later reads find it parsed. A start with the large file should stay
// within a tenth of a second of one with none; one with 200 000 keys under a second.
namespace {

const QString Settings = QStringLiteral("Software\\Corvane\\Gestione Commesse\\Settings");
const QString Printers = QStringLiteral("Software\\Corvane\\Gestione Commesse\\Printers");

// Values of one key, about `bytes` long.
QByteArray manyValues(int bytes) {
  QByteArray text = "[HKEY_CURRENT_USER\\Software\\Altro]\n";
  for (int i = 0; text.size() < bytes; ++i)
    text +=
        "\"Valore" + QByteArray::number(i) + "\"=\"testo di prova numero " + QByteArray::number(i) + "\"\n";
  return text;
}

// Sibling keys with a value each, in counting order, which is not name order (Chiave10 < Chiave2).
QByteArray manyKeys(int count) {
  QByteArray text;
  for (int i = 0; i < count; ++i)
    text +=
        "[HKEY_CURRENT_USER\\Software\\Altro\\Chiave" + QByteArray::number(i) + "]\n\"v\"=dword:00000001\n\n";
  return text;
}

class SettingsFile {
 public:
  explicit SettingsFile(const QByteArray& others) {
    qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
    QByteArray text = "Windows Registry Editor Version 5.00\n\n" + others;
    text += "\n[HKEY_CURRENT_USER\\" + Settings.toUtf8() + "]\n\"regLoadViewLayout\"=dword:00000001\n";
    QDir().mkpath(m_dir.path() + "/Corvane");
    QFile file(registry::storeFilePath(HKEY_CURRENT_USER));
    file.open(QIODevice::WriteOnly);
    file.write(text);
  }
  // Moves the file's modification time, as a change by hand would: the next read parses it again.
  void touch() {
    timespec times[2] = {{0, UTIME_NOW}, {++m_seconds, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(registry::storeFilePath(HKEY_CURRENT_USER)).constData(), times, 0);
  }

 private:
  QTemporaryDir m_dir;
  time_t m_seconds = 1000000000;
};

void readStartSettings() {
  benchmark::DoNotOptimize(
      LeggiRegistro(HKEY_CURRENT_USER, Settings, REG_DWORD, "regLoadViewLayout", Variant(1)));
  for (const char* name : {"Report1", "Driver1", "Report2", "Driver2"})
    benchmark::DoNotOptimize(LeggiRegistro(HKEY_CURRENT_USER, Printers, REG_SZ, name, Variant(QString())));
}

// Each iteration is the first read after the file changed.
void measureFirstReads(benchmark::State& state, SettingsFile& file) {
  for (auto _ : state) {
    state.PauseTiming();
    file.touch();
    state.ResumeTiming();
    readStartSettings();
  }
}

void StartSettingsFirstRead(benchmark::State& state) {
  SettingsFile file(manyValues(int(state.range(0))));
  measureFirstReads(state, file);
}
BENCHMARK(StartSettingsFirstRead)->Arg(0)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// The floor (no other keys) beside two files of many sibling keys: the read grows with the keys,
// not with their square.
void StartSettingsManySiblingKeys(benchmark::State& state) {
  SettingsFile file(manyKeys(int(state.range(0))));
  measureFirstReads(state, file);
}
BENCHMARK(StartSettingsManySiblingKeys)
    ->Arg(0)
    ->Arg(100000)
    ->Arg(200000)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void StartSettingsLaterReads(benchmark::State& state) {
  SettingsFile file(manyValues(int(state.range(0))));
  readStartSettings();
  for (auto _ : state) readStartSettings();
}
BENCHMARK(StartSettingsLaterReads)->Arg(0)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
