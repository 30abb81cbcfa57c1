// The settings a start reads before its first window shows, and a setting saved, with a settings
// file that holds many other values (256 KB and 1 MB) or many sibling keys listed out of name order
// (100 000 and 200 000). The first read of a start parses the file; later reads find it parsed; a
// save rewrites the whole file atomically. Each beside its floor on the same file, measure and floor
// taking turns run by run: a bare read of the file split into its lines (QFile, QByteArray::split);
// the check that the file did not change (one stat a read); the same lines written through
// QSaveFile, which syncs the file to disk as the save does. A first read with 1 MB of values must
// stay under a tenth of a second, one with 200 000 keys under a second, a save under half a second;
// later reads within 5 times their stats. The other ratios are printed for information: parsing
// into keys and values, and writing them out again, is work the floors leave out.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "bench/data/BenchSupport.h"
#include "core/MainModule.h"
#include "core/comRegistry.h"
#include "platform/registry/Registry.h"

namespace {

const QString Settings = QStringLiteral("Software\\Corvane\\Gestione Commesse\\Settings");
const QString Printers = QStringLiteral("Software\\Corvane\\Gestione Commesse\\Printers");
constexpr int kValueBytes[] = {256 << 10, 1 << 20};
constexpr int kKeyCounts[] = {100000, 200000};

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
    QFile file(path());
    file.open(QIODevice::WriteOnly);
    file.write(text);
  }
  static QString path() { return registry::storeFilePath(HKEY_CURRENT_USER); }
  // Moves the file's modification time, as a change by hand would: the next read parses it again.
  void touch() {
    timespec times[2] = {{0, UTIME_NOW}, {++m_seconds, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(path()).constData(), times, 0);
  }

 private:
  QTemporaryDir m_dir;
  time_t m_seconds = 1000000000;
};

SettingsFile valuesFile(const benchmark::State& state) {
  return SettingsFile(manyValues(kValueBytes[state.range(0)]));
}
SettingsFile keysFile(const benchmark::State& state) {
  return SettingsFile(manyKeys(kKeyCounts[state.range(0)]));
}

// The five values a start reads.
constexpr int kStartReads = 5;
void readStartSettings() {
  benchmark::DoNotOptimize(
      LeggiRegistro(HKEY_CURRENT_USER, Settings, REG_DWORD, "regLoadViewLayout", Variant(1)));
  for (const char* name : {"Report1", "Driver1", "Report2", "Driver2"})
    benchmark::DoNotOptimize(LeggiRegistro(HKEY_CURRENT_USER, Printers, REG_SZ, name, Variant(QString())));
}

QList<QByteArray> fileLines() {
  QFile file(SettingsFile::path());
  file.open(QIODevice::ReadOnly);
  return file.readAll().split('\n');
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

void ValuesFirstRead(benchmark::State& state) {
  SettingsFile file = valuesFile(state);
  measureFirstReads(state, file);
}

void KeysFirstRead(benchmark::State& state) {
  SettingsFile file = keysFile(state);
  measureFirstReads(state, file);
}

void FirstReadFloor(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(fileLines());
}

void ValuesFirstReadFloor(benchmark::State& state) {
  const SettingsFile file = valuesFile(state);
  FirstReadFloor(state);
}

void KeysFirstReadFloor(benchmark::State& state) {
  const SettingsFile file = keysFile(state);
  FirstReadFloor(state);
}

void ValuesLaterReads(benchmark::State& state) {
  const SettingsFile file = valuesFile(state);
  readStartSettings();
  for (auto _ : state) readStartSettings();
}

void ValuesLaterReadsFloor(benchmark::State& state) {
  const SettingsFile file = valuesFile(state);
  const QByteArray path = QFile::encodeName(SettingsFile::path());
  struct stat info {};
  for (auto _ : state)
    for (int read = 0; read < kStartReads; ++read) benchmark::DoNotOptimize(::stat(path.constData(), &info));
}

// A setting saved, switched at each iteration so that every save changes the file.
void ValuesSave(benchmark::State& state) {
  const SettingsFile file = valuesFile(state);
  bool show = false;
  for (auto _ : state) {
    comRegistry reg;
    reg.setValueEx(HKEY_CURRENT_USER, Settings, "regLoadTipsAtStartup", REG_DWORD, Variant(1),
                   Variant(std::int32_t(show ? 1 : 0)));
    show = !show;
  }
}

void ValuesSaveFloor(benchmark::State& state) {
  const SettingsFile file = valuesFile(state);
  const QList<QByteArray> lines = fileLines();
  for (auto _ : state) {
    QSaveFile save(SettingsFile::path());
    save.open(QIODevice::WriteOnly);
    save.write(lines.join('\n'));
    benchmark::DoNotOptimize(save.commit());
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchdata::TimingReporter reporter;
  benchdata::runInterleaved(reporter,
                            {{"ValuesFirstRead", ValuesFirstRead},
                             {"ValuesFirstReadFloor", ValuesFirstReadFloor},
                             {"KeysFirstRead", KeysFirstRead},
                             {"KeysFirstReadFloor", KeysFirstReadFloor},
                             {"ValuesLaterReads", ValuesLaterReads},
                             {"ValuesLaterReadsFloor", ValuesLaterReadsFloor},
                             {"ValuesSave", ValuesSave},
                             {"ValuesSaveFloor", ValuesSaveFloor}},
                            2);
  const std::vector<std::string> values{"256 KB di valori", "1 MB di valori"};
  const std::vector<std::string> keys{"100 000 chiavi", "200 000 chiavi"};
  const std::string lines = "lettura delle righe";
  const bool valuesOk = benchdata::compareWithFloors(
      reporter,
      {{"prima lettura", "ValuesFirstRead", "ValuesFirstReadFloor", 0, 100, lines},
       {"letture seguenti", "ValuesLaterReads", "ValuesLaterReadsFloor", 5, 1, "stat del file"},
       {"salvataggio", "ValuesSave", "ValuesSaveFloor", 0, 500, "QSaveFile delle righe"}},
      values);
  const bool keysOk = benchdata::compareWithFloor(
      reporter, {"prima lettura", "KeysFirstRead", "KeysFirstReadFloor", 0, 1000, lines}, keys);
  const bool ok = valuesOk && keysOk;
  benchmark::Shutdown();
  return ok ? 0 : 1;
}
