#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <chrono>
#include <csignal>
#include <future>

#include "tests/registry/RegistryFixture.h"

namespace {

using namespace registry;

const QByteArray HandEdited =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; scritto a mano\r\n"
    "[HKEY_CURRENT_USER\\Software\\Corvane\\Gestione Commesse\\Settings]\r\n"
    "\"regLoadViewLayout\"=dword:00000000\r\n"
    "\"Percorso\" = \"C:\\\\Dati \\\"vecchi\\\"\"\r\n"
    "@=\"predefinito\"\r\n"
    "\"Espanso\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,2f,00,78,00,00,00\r\n"
    "\"Lista\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
    "\"Binario\"=hex:01,02,\\\r\n"
    "  03,ff\r\n"
    "\"Grande\"=hex(5):00,00,00,0a\r\n"
    "\r\n"
    "[hkey_current_user\\software\\CORVANE\\Gestione Commesse\\Printers]\r\n"
    "\"001\"=\"HP LaserJet\"\r\n";

// Text data as the store holds it: UTF-8 with its terminating zero.
QByteArray sz(const char* text) { return QByteArray(text) + '\0'; }

struct Read {
  LSTATUS status;
  std::int32_t type;
  QByteArray data;
};

Read read(HKEY root, const QString& path, const QString& name) {
  HKEY key = 0;
  Read r{openKey(root, path, KEY_READ, &key), 0, {}};
  if (r.status != ERROR_SUCCESS) return r;
  r.status = queryValue(key, name, &r.type, &r.data);
  closeKey(key);
  return r;
}

LSTATUS write(HKEY root, const QString& path, const QString& name, std::int32_t type,
              const QByteArray& data) {
  HKEY key = 0;
  LSTATUS status = createKey(root, path, KEY_ALL_ACCESS, &key);
  if (status != ERROR_SUCCESS) return status;
  status = setValue(key, name, type, data);
  closeKey(key);
  return status;
}

QStringList subkeys(HKEY root, const QString& path) {
  QStringList names;
  HKEY key = 0;
  if (openKey(root, path, KEY_READ, &key) != ERROR_SUCCESS) return names;
  QString name;
  for (int i = 0; enumKey(key, i, &name) == ERROR_SUCCESS; ++i) names.append(name);
  closeKey(key);
  return names;
}

void expectHandEditedValues() {
  const QString settings = QStringLiteral("Software\\Corvane\\Gestione Commesse\\Settings");
  Read r = read(HKEY_CURRENT_USER, settings.toUpper(), QStringLiteral("REGLOADVIEWLAYOUT"));
  ASSERT_EQ(r.status, ERROR_SUCCESS);
  EXPECT_EQ(r.type, REG_DWORD);
  EXPECT_EQ(r.data, QByteArray(4, '\0'));
  r = read(HKEY_CURRENT_USER, settings, QStringLiteral("Percorso"));
  EXPECT_EQ(r.type, REG_SZ);
  EXPECT_EQ(r.data, QByteArray("C:\\Dati \"vecchi\"", 16) + '\0');
  EXPECT_EQ(read(HKEY_CURRENT_USER, settings, QString()).data, QByteArray("predefinito") + '\0');
  r = read(HKEY_CURRENT_USER, settings, QStringLiteral("Espanso"));
  EXPECT_EQ(r.type, REG_EXPAND_SZ);
  EXPECT_EQ(r.data, QByteArray("%HOME%/x") + '\0');
  r = read(HKEY_CURRENT_USER, settings, QStringLiteral("Lista"));
  EXPECT_EQ(r.type, REG_MULTI_SZ);
  EXPECT_EQ(r.data, QByteArray("a\0b\0\0", 5));
  r = read(HKEY_CURRENT_USER, settings, QStringLiteral("Binario"));
  EXPECT_EQ(r.type, REG_BINARY);
  EXPECT_EQ(r.data, QByteArray("\x01\x02\x03\xff", 4));
  r = read(HKEY_CURRENT_USER, settings, QStringLiteral("Grande"));
  EXPECT_EQ(r.type, REG_DWORD_BIG_ENDIAN);
  EXPECT_EQ(r.data, QByteArray("\0\0\0\x0a", 4));
  EXPECT_EQ(read(HKEY_CURRENT_USER, QStringLiteral("software\\corvane\\gestione commesse\\printers"),
                 QStringLiteral("001"))
                .data,
            QByteArray("HP LaserJet") + '\0');
  EXPECT_EQ(subkeys(HKEY_CURRENT_USER, QStringLiteral("Software\\Corvane\\Gestione Commesse")),
            QStringList({"Printers", "Settings"}));
}

TEST_F(RegistryTest, PersonEditedFileIsReadWithEveryValueKind) {
  writeStore(HKEY_CURRENT_USER, HandEdited);
  expectHandEditedValues();
}

TEST_F(RegistryTest, Utf16ExportFromAnotherMachineIsRead) {
  QStringEncoder toUtf16(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
  writeStore(HKEY_CURRENT_USER, toUtf16(QString::fromUtf8(HandEdited)));
  expectHandEditedValues();
}

TEST_F(RegistryTest, WrittenValuesSurviveTheFileAndStayReadable) {
  const QString path = QStringLiteral("Software\\Corvane\\Prova");
  const QByteArray text = QString::fromUtf8("perché \"Sì\" \\ 5 €").toUtf8() + '\0';
  const QByteArray twoLines = QByteArray("riga uno\nriga due") + '\0';
  const QByteArray multi("uno\0due\0\0", 9);
  QByteArray binary;
  for (int i = 0; i < 60; ++i) binary.append(char(i * 7));
  ASSERT_EQ(write(HKEY_CURRENT_USER, path, "Testo", REG_SZ, text), ERROR_SUCCESS);
  ASSERT_EQ(write(HKEY_CURRENT_USER, path, "DueRighe", REG_SZ, twoLines), ERROR_SUCCESS);
  ASSERT_EQ(write(HKEY_CURRENT_USER, path, "Espanso", REG_EXPAND_SZ, sz("%HOME%")), ERROR_SUCCESS);
  ASSERT_EQ(write(HKEY_CURRENT_USER, path, "Multi", REG_MULTI_SZ, multi), ERROR_SUCCESS);
  ASSERT_EQ(write(HKEY_CURRENT_USER, path, "Dati", REG_BINARY, binary), ERROR_SUCCESS);
  ASSERT_EQ(write(HKEY_CURRENT_USER, path, "Numero", REG_DWORD, QByteArray("\x0a\0\0\0", 4)), ERROR_SUCCESS);
  ASSERT_EQ(write(HKEY_CURRENT_USER, path, "Q", 11, QByteArray(8, '\x01')), ERROR_SUCCESS);

  EXPECT_EQ(QDir(storeFolder()).entryList(QDir::Files | QDir::Hidden),
            QStringList({"HKEY_CURRENT_USER.reg"}));
  const QString file = QString::fromUtf8(readStore(HKEY_CURRENT_USER));
  EXPECT_TRUE(file.startsWith("Windows Registry Editor Version 5.00\n"));
  EXPECT_TRUE(file.contains("\n[HKEY_CURRENT_USER\\Software\\Corvane\\Prova]\n"));
  EXPECT_TRUE(file.contains(QString::fromUtf8("\"Testo\"=\"perché \\\"Sì\\\" \\\\ 5 €\"\n")));
  EXPECT_TRUE(file.contains("\"Numero\"=dword:0000000a\n"));
  EXPECT_TRUE(file.contains("\"Espanso\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,00,00\n"));
  EXPECT_TRUE(file.contains("\"Q\"=hex(b):01,01,01,01,01,01,01,01\n"));

  const struct {
    const char* name;
    std::int32_t type;
    QByteArray data;
  } expected[] = {{"Testo", REG_SZ, text},
                  {"DueRighe", REG_SZ, twoLines},
                  {"Espanso", REG_EXPAND_SZ, sz("%HOME%")},
                  {"Multi", REG_MULTI_SZ, multi},
                  {"Dati", REG_BINARY, binary},
                  {"Numero", REG_DWORD, QByteArray("\x0a\0\0\0", 4)},
                  {"Q", 11, QByteArray(8, '\x01')}};
  for (const auto& e : expected) {
    const Read r = read(HKEY_CURRENT_USER, path, e.name);
    EXPECT_EQ(r.status, ERROR_SUCCESS) << e.name;
    EXPECT_EQ(r.type, e.type) << e.name;
    EXPECT_EQ(r.data, e.data) << e.name;
  }
}

TEST_F(RegistryTest, DamagedFileReadsAsMissingValuesAndIsKeptAside) {
  static const char damagedText[] =
      "\x00\xff\xfe garbage\n"
      "[HKEY_CURRENT_USER\\A]\n"
      "\"ok\"=dword:00000001\n"
      "\"bad\"=dword:xyz\n"
      "\"badhex\"=hex:01,zz\n"
      "\"unterminated\"=\"abc\n"
      "\"noequals\" \"x\"\n"
      "[HKEY_LOCAL_MACHINE\\B]\n"
      "\"other\"=\"x\"\n"
      "[HKEY_CURRENT_USER\\C\n";
  const QByteArray damaged(damagedText, sizeof damagedText - 1);
  writeStore(HKEY_CURRENT_USER, damaged);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "A", "ok").data, QByteArray("\x01\0\0\0", 4));
  for (const char* name : {"bad", "badhex", "unterminated", "noequals"})
    EXPECT_EQ(read(HKEY_CURRENT_USER, "A", name).status, ERROR_FILE_NOT_FOUND) << name;
  EXPECT_EQ(read(HKEY_CURRENT_USER, "B", "other").status, ERROR_FILE_NOT_FOUND);

  ASSERT_EQ(write(HKEY_CURRENT_USER, "A", "nuovo", REG_SZ, sz("x")), ERROR_SUCCESS);
  QFile kept(userStore() + ".bak");
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), damaged);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "A", "ok").data, QByteArray("\x01\0\0\0", 4));
  EXPECT_EQ(read(HKEY_CURRENT_USER, "A", "nuovo").data, sz("x"));
}

TEST_F(RegistryTest, GarbageAndTruncatedFilesNeverCrash) {
  QByteArray noise;
  for (int i = 0; i < 4096; ++i) noise.append(char((i * 131 + 7) % 256));
  writeStore(HKEY_CURRENT_USER, noise);
  HKEY key = 0;
  EXPECT_EQ(openKey(HKEY_CURRENT_USER, "Software", KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  for (qsizetype cut = 0; cut < HandEdited.size(); cut += 7) {
    writeStore(HKEY_CURRENT_USER, HandEdited.left(cut));
    read(HKEY_CURRENT_USER, "Software\\Corvane\\Gestione Commesse\\Settings", "Binario");
  }
  EXPECT_EQ(
      read(HKEY_CURRENT_USER, "Software\\Corvane\\Gestione Commesse\\Settings", "regLoadViewLayout").status,
      ERROR_SUCCESS);
}

TEST_F(RegistryTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  ASSERT_EQ(write(HKEY_CURRENT_USER, "Software\\Corvane", "Nome", REG_SZ, sz("a")), ERROR_SUCCESS);
  ASSERT_EQ(write(HKEY_CURRENT_USER, "SOFTWARE\\corvane", "NOME", REG_SZ, sz("b")), ERROR_SUCCESS);
  ASSERT_EQ(write(HKEY_CURRENT_USER, "software\\Corvane", "Altro", REG_SZ, sz("c")), ERROR_SUCCESS);
  for (const char* sub : {"b", "A", "c"})
    write(HKEY_CURRENT_USER, QStringLiteral("Software\\Corvane\\") + sub, "v", REG_SZ, sz(""));

  HKEY key = 0;
  ASSERT_EQ(openKey(HKEY_CURRENT_USER, "software\\CORVANE", KEY_READ, &key), ERROR_SUCCESS);
  QStringList values;
  QString name;
  for (int i = 0; enumValue(key, i, &name) == ERROR_SUCCESS; ++i) values.append(name);
  closeKey(key);
  EXPECT_EQ(values, QStringList({"Nome", "Altro"}));
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Corvane", "nome").data, sz("b"));
  EXPECT_EQ(subkeys(HKEY_CURRENT_USER, "Software\\Corvane"), QStringList({"A", "b", "c"}));
  EXPECT_TRUE(
      QString::fromUtf8(readStore(HKEY_CURRENT_USER)).contains("[HKEY_CURRENT_USER\\Software\\Corvane]"));
}

TEST_F(RegistryTest, KeyRulesAndHandles) {
  ASSERT_EQ(write(HKEY_CURRENT_USER, "Padre\\Figlio", "v", REG_SZ, sz("x")), ERROR_SUCCESS);
  EXPECT_EQ(deleteKey(HKEY_CURRENT_USER, "Padre"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(deleteKey(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
  EXPECT_EQ(deleteKey(HKEY_CURRENT_USER, "Manca"), ERROR_FILE_NOT_FOUND);

  HKEY readOnly = 0, child = 0;
  ASSERT_EQ(openKey(HKEY_CURRENT_USER, "Padre\\Figlio", KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(setValue(readOnly, "v", REG_SZ, sz("y")), ERROR_ACCESS_DENIED);
  EXPECT_EQ(deleteValue(readOnly, "v"), ERROR_ACCESS_DENIED);
  ASSERT_EQ(openKey(HKEY_CURRENT_USER, "Padre", KEY_READ, &child), ERROR_SUCCESS);
  EXPECT_EQ(deleteKey(child, "Figlio"), ERROR_SUCCESS);
  EXPECT_EQ(queryValue(readOnly, "v", nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(closeKey(readOnly), ERROR_SUCCESS);
  EXPECT_EQ(closeKey(readOnly), ERROR_INVALID_HANDLE);
  EXPECT_EQ(closeKey(child), ERROR_SUCCESS);
  EXPECT_EQ(deleteKey(HKEY_CURRENT_USER, "Padre"), ERROR_SUCCESS);
  EXPECT_TRUE(subkeys(HKEY_CURRENT_USER, "").isEmpty());

  HKEY key = 0;
  EXPECT_EQ(createKey(HKEY_CURRENT_USER, QString(256, 'x'), KEY_ALL_ACCESS, &key), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(createKey(HKEY_USERS, "x", KEY_ALL_ACCESS, &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(openKey(HKEY_CURRENT_USER, "Manca", KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(write(HKEY_CURRENT_USER, "K", "a\nb", REG_SZ, sz("x")), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, EachRootHasItsOwnFile) {
  ASSERT_EQ(write(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.gcm", "", REG_SZ, sz("x")), ERROR_SUCCESS);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "SOFTWARE\\Classes\\.gcm", "").status, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(read(HKEY_CLASSES_ROOT, "SOFTWARE\\Classes\\.gcm", "").status, ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(
      readStore(HKEY_LOCAL_MACHINE).contains("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.gcm]\n@=\"x\""));
  EXPECT_FALSE(QFile::exists(userStore()));
}

TEST_F(RegistryTest, UnwritableStoreReportsTheFailureAndChangesNothing) {
  QDir().mkpath(userStore());  // a folder where the file should be
  HKEY key = 0;
  EXPECT_EQ(createKey(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS, &key), ERROR_CANTWRITE);
  EXPECT_EQ(setValue(HKEY_CURRENT_USER, "v", REG_SZ, sz("x")), ERROR_CANTWRITE);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "", "v").status, ERROR_FILE_NOT_FOUND);
}

// A large file is read once and kept while it is unchanged; a change by hand is seen at the next
// call. (The time it takes is measured in bench/registry.)
TEST_F(RegistryTest, LargeFileIsParsedOnceAndReadAgainOnlyWhenItChanges) {
  QByteArray text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Grande]\n";
  for (int i = 0; i < 50000; ++i)
    text += "\"Valore" + QByteArray::number(i) +
            "\"=dword:" + QByteArray::number(i % 4096, 16).rightJustified(8, '0') + "\n";
  text += "\"VALORE7\"=\"ultimo\"\n";  // the same name in another case: the later line wins
  writeStore(HKEY_CURRENT_USER, text);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Grande", "Valore49999").data, QByteArray::fromHex("4f030000"));
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Grande", "valore7").data, sz("ultimo"));

  // Same size, same file, the modification time put back: the kept store answers.
  struct stat before {};
  ASSERT_EQ(::stat(QFile::encodeName(userStore()).constData(), &before), 0);
  QByteArray changed = text;
  changed.replace("\"ultimo\"", "\"ULTIMO\"");
  {
    QFile file(userStore());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(changed);
  }
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(userStore()).constData(), times, 0), 0);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Grande", "Valore7").data, sz("ultimo"));

  // A real edit moves the modification time: it is read.
  const timespec later[2] = {before.st_atim, {before.st_mtim.tv_sec + 1, before.st_mtim.tv_nsec}};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(userStore()).constData(), later, 0), 0);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Grande", "Valore7").data, sz("ULTIMO"));

  // A write of ours is seen at once and keeps every other value.
  ASSERT_EQ(write(HKEY_CURRENT_USER, "Software\\Grande", "Nuovo", REG_SZ, sz("sì")), ERROR_SUCCESS);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Grande", "nuovo").data, sz("sì"));
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Grande", "Valore12345").status, ERROR_SUCCESS);
  HKEY key = 0;
  ASSERT_EQ(openKey(HKEY_CURRENT_USER, "Software\\Grande", KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(deleteValue(key, "VALORE3"), ERROR_SUCCESS);
  QString name;
  EXPECT_EQ(enumValue(key, 3, &name), ERROR_SUCCESS);
  EXPECT_EQ(name, "Valore4");
  EXPECT_EQ(queryValue(key, "Valore3", nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(queryValue(key, "Valore4", nullptr, nullptr), ERROR_SUCCESS);
  closeKey(key);
}

// Keys nest at most MaxKeyDepth deep: deeper paths are refused, in calls and in files, and the
// deepest allowed key is written and read back.
TEST_F(RegistryTest, DeepNestingIsRefusedInsteadOfOverflowingTheStack) {
  auto path = [](int depth) {
    QStringList parts;
    for (int i = 0; i < depth; ++i) parts << "k";
    return parts.join('\\');
  };
  HKEY key = 0;
  EXPECT_EQ(createKey(HKEY_CURRENT_USER, path(50000), KEY_ALL_ACCESS, &key), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(QFile::exists(userStore()));

  ASSERT_EQ(write(HKEY_CURRENT_USER, path(MaxKeyDepth), "v", REG_SZ, sz("fondo")), ERROR_SUCCESS);
  EXPECT_EQ(read(HKEY_CURRENT_USER, path(MaxKeyDepth), "v").data, sz("fondo"));
  ASSERT_EQ(openKey(HKEY_CURRENT_USER, path(MaxKeyDepth), KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  HKEY beyond = 0;
  EXPECT_EQ(createKey(key, "oltre", KEY_ALL_ACCESS, &beyond), ERROR_INVALID_PARAMETER);
  closeKey(key);

  writeStore(HKEY_CURRENT_USER, "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\" +
                                    path(100000).toUtf8() +
                                    "]\n\"v\"=\"x\"\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"y\"\n");
  EXPECT_EQ(read(HKEY_CURRENT_USER, "A", "v").data, sz("y"));
  EXPECT_EQ(read(HKEY_CURRENT_USER, path(100000), "v").status, ERROR_INVALID_PARAMETER);
}

// Keys listed in any order, a key listed twice: every value is found, the later line of a key wins,
// and subkeys enumerate in name order.
TEST_F(RegistryTest, KeysInAnyOrderAreReadWhole) {
  QByteArray text = "Windows Registry Editor Version 5.00\n\n";
  for (int i : {12, 3, 27, 3, 1})
    text += "[HKEY_CURRENT_USER\\Software\\Elenco\\Voce" + QByteArray::number(i) + "]\n\"v\"=dword:0000000" +
            QByteArray::number(i % 10) + "\n\"primo" + QByteArray::number(i) + "\"=\"x\"\n\n";
  text += "[HKEY_CURRENT_USER\\Software\\elenco]\n\"Radice\"=\"r\"\n";
  writeStore(HKEY_CURRENT_USER, text);
  EXPECT_EQ(subkeys(HKEY_CURRENT_USER, "Software\\Elenco"),
            QStringList({"Voce1", "Voce12", "Voce27", "Voce3"}));
  EXPECT_EQ(subkeys(HKEY_CURRENT_USER, "Software"), QStringList({"Elenco"}));
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Elenco\\Voce27", "v").data, QByteArray::fromHex("07000000"));
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Elenco\\voce3", "primo3").data, sz("x"));
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Elenco", "radice").data, sz("r"));
}

// A FIFO (or any other non-regular file) at the store's path reads as an empty store at once,
// instead of waiting for a writer that never comes.
TEST_F(RegistryTest, NonRegularFileAtTheStorePathReadsAsEmpty) {
  QDir().mkpath(storeFolder());
  const QByteArray fifo = QFile::encodeName(userStore());
  ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
  std::future<Read> reading =
      std::async(std::launch::async, [] { return read(HKEY_CURRENT_USER, "Software\\Corvane", "v"); });
  const bool answered = reading.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  if (!answered) ::close(::open(fifo.constData(), O_WRONLY));  // lets the stuck read end
  EXPECT_TRUE(answered) << "the read waited on the FIFO";
  EXPECT_EQ(reading.get().status, ERROR_FILE_NOT_FOUND);
}

// A write cut short (a full disk, a size limit) fails as an unwritable store does, and the complete
// file stays as it was.
TEST_F(RegistryTest, ShortWriteFailsAndKeepsTheOldFile) {
  for (int i = 0; i < 200; ++i)
    ASSERT_EQ(
        write(HKEY_CURRENT_USER, "Software\\Grande", "Valore" + QString::number(i), REG_SZ, sz("testo")),
        ERROR_SUCCESS);
  const QByteArray before = readStore(HKEY_CURRENT_USER);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = rlim_t(before.size() - 100);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const LSTATUS status = write(HKEY_CURRENT_USER, "Software\\Grande", "Nuovo", REG_SZ, sz("sì"));
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(status, ERROR_CANTWRITE);
  EXPECT_EQ(readStore(HKEY_CURRENT_USER), before);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Grande", "Nuovo").status, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(read(HKEY_CURRENT_USER, "Software\\Grande", "Valore199").data, sz("testo"));
  EXPECT_EQ(QDir(storeFolder()).entryList(QDir::Files), QStringList{"HKEY_CURRENT_USER.reg"});
}

TEST(EnvironmentStrings, VariablesBetweenPercentSignsAreExpanded) {
  qputenv("CORVANE_PROVA", "/dati");
  qunsetenv("CORVANE_MANCA");
  EXPECT_EQ(expandEnvironmentStrings("%CORVANE_PROVA%/coms.mdb"), "/dati/coms.mdb");
  EXPECT_EQ(expandEnvironmentStrings("%CORVANE_MANCA%/x"), "%CORVANE_MANCA%/x");
  EXPECT_EQ(expandEnvironmentStrings("100%"), "100%");
  EXPECT_EQ(expandEnvironmentStrings("%%CORVANE_PROVA%"), "%/dati");
  EXPECT_EQ(expandEnvironmentStrings("%CORVANE_MANCA%CORVANE_PROVA%"), "%CORVANE_MANCA/dati");
  EXPECT_EQ(expandEnvironmentStrings(""), "");
}

}  // namespace
