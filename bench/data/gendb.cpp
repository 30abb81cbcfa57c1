// gendb <path> [scale]: makes a new database full of realistic data, to try the program on a large
// database. Scale 1 gives 2 000 job orders and 100 000 cost rows; the file must not exist yet.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <stdexcept>

#include "bench/data/Generator.h"

namespace {
const char* const Usage = "uso: gendb <percorso del database> [scala, 1 = 100 000 costi]\n";
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
    std::fputs(Usage, stdout);
    return 0;
  }
  bool scaleOk = true;
  const double scale = args.size() > 2 ? args[2].toDouble(&scaleOk) : 1.0;
  // An option is never taken for a file name.
  if (args.size() < 2 || args.size() > 3 || args[1].startsWith('-') || !scaleOk || scale <= 0) {
    std::fputs(Usage, stderr);
    return 2;
  }
  const QString path = args[1];
  if (QFileInfo::exists(path)) {
    std::fprintf(stderr, "gendb: %s esiste già e non viene sovrascritto.\n", qPrintable(path));
    return 1;
  }
  QString master = QCoreApplication::applicationDirPath() + "/master.gen";
  if (!QFileInfo::exists(master)) master = benchdata::templatePath();
  if (!QFile::copy(master, path)) {
    std::fprintf(stderr, "gendb: impossibile copiare il modello %s in %s.\n", qPrintable(master),
                 qPrintable(path));
    return 1;
  }
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

  const benchdata::GeneratorSizes sizes = benchdata::GeneratorSizes().scaled(scale);
  QElapsedTimer timer;
  timer.start();
  try {
    benchdata::generate(path, sizes);
  } catch (const std::exception& e) {
    QFile::remove(path);
    std::fprintf(stderr, "gendb: %s\n", e.what());
    return 1;
  }
  std::printf("%s: %d clienti, %d fornitori, %d articoli, %d commesse, %d costi in %.1f s\n",
              qPrintable(path), sizes.customers, sizes.suppliers, sizes.articles, sizes.jobOrders,
              sizes.costRows, double(timer.elapsed()) / 1000.0);
  return 0;
}
