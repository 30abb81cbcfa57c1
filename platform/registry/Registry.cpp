#include "platform/registry/Registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/registry/RegFileFormat_p.h"
#include "platform/registry/RegistryTree_p.h"

namespace registry {

namespace {

constexpr int MaxKeyNameLength = 255;

struct OpenKey {
  HKEY root = 0;
  QStringList path;
  REGSAM access = 0;
};

std::mutex handlesMutex;
QHash<HKEY, OpenKey> openHandles;
HKEY nextHandle = 1;

QString rootName(HKEY root) {
  switch (root) {
    case HKEY_CLASSES_ROOT: return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE");
    default: return {};
  }
}

// The root, path and rights a handle stands for; root keys themselves are open with every right.
std::optional<OpenKey> resolve(HKEY key) {
  if (!rootName(key).isEmpty()) return OpenKey{key, {}, KEY_ALL_ACCESS};
  std::lock_guard lock(handlesMutex);
  auto it = openHandles.constFind(key);
  if (it == openHandles.constEnd()) return std::nullopt;
  return *it;
}

std::optional<QStringList> splitPath(const QString& subKey) {
  const QStringList parts = subKey.split('\\', Qt::SkipEmptyParts);
  for (const QString& part : parts) {
    if (part.size() > MaxKeyNameLength) return std::nullopt;
    for (QChar c : part)
      if (c.unicode() < 0x20) return std::nullopt;
  }
  return parts;
}

bool validValueName(const QString& name) {
  return !name.contains('\n') && !name.contains('\r') && !name.contains(QChar(0));
}

// What tells one state of a store file from another: every save renames a new file into place
// (a new inode), and an edit in place changes the modification time.
struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const QString& path) {
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) return {};
  return {true, info.st_dev, info.st_ino, info.st_size,
          std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// The content of a regular file; nothing for anything else at the path (a FIFO, a device or a
// folder), which would block the read or never end: such a store reads as empty.
std::optional<QByteArray> readRegularFile(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  QFile file;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return std::nullopt;
  }
  return file.readAll();
}

// The parsed store of each root, kept between calls while its file is unchanged.
struct CachedStore {
  QString path;
  FileStamp stamp;
  std::shared_ptr<const ParsedRegFile> store;
};
std::mutex storesMutex;
std::map<HKEY, CachedStore> stores;

std::shared_ptr<const ParsedRegFile> load(HKEY root) {
  const QString path = storeFilePath(root);
  const FileStamp stamp = stampOf(path);
  std::lock_guard lock(storesMutex);
  CachedStore& cached = stores[root];
  if (cached.store && cached.path == path && cached.stamp == stamp) return cached.store;
  cached.store.reset();  // the old store need not stay beside the new one while it is read
  const std::optional<QByteArray> bytes = readRegularFile(path);
  cached = {
      path, stamp,
      std::make_shared<const ParsedRegFile>(bytes ? parseRegFile(*bytes, rootName(root)) : ParsedRegFile())};
  return cached.store;
}

// Replaces the store file atomically. A file that could not be read in full is kept beside it
// (".bak") before it is replaced, so that a hand edit that went wrong is not lost.
bool save(HKEY root, ParsedRegFile store) {
  const QString path = storeFilePath(root);
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  if (store.damaged && QFile::exists(path)) {
    QFile::remove(path + QStringLiteral(".bak"));
    if (!QFile::copy(path, path + QStringLiteral(".bak"))) return false;
  }
  // Unbuffered, so that a write cut short (a full disk) shows in the count write() returns.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  const QByteArray text = writeRegFile(store.root, rootName(root));
  if (file.write(text) != text.size()) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) return false;
  store.damaged = false;
  std::lock_guard lock(storesMutex);
  stores[root] = {path, stampOf(path), std::make_shared<const ParsedRegFile>(std::move(store))};
  return true;
}

HKEY newHandle(const OpenKey& key) {
  std::lock_guard lock(handlesMutex);
  const HKEY handle = nextHandle++;
  openHandles.insert(handle, key);
  return handle;
}

// Resolves a handle and reads its store; the key itself may since have been deleted.
struct KeyAccess {
  OpenKey open;
  std::shared_ptr<const ParsedRegFile> store;
  const RegistryKey* key = nullptr;
};

LSTATUS access(HKEY handle, REGSAM needed, KeyAccess& out) {
  const std::optional<OpenKey> open = resolve(handle);
  if (!open) return ERROR_INVALID_HANDLE;
  if ((open->access & needed) != needed) return ERROR_ACCESS_DENIED;
  out.open = *open;
  out.store = load(open->root);
  out.key = out.store->root.find(open->path);
  return out.key ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

// The same with a copy of the store to change and save.
struct KeyEdit {
  OpenKey open;
  ParsedRegFile store;
  RegistryKey* key = nullptr;
};

LSTATUS edit(HKEY handle, REGSAM needed, KeyEdit& out) {
  KeyAccess read;
  if (const LSTATUS status = access(handle, needed, read); status != ERROR_SUCCESS) return status;
  out.open = read.open;
  out.store = *read.store;
  out.key = out.store.root.find(read.open.path);
  return ERROR_SUCCESS;
}

// The key that subKey names below an open key, to be opened with the given rights.
LSTATUS subKeyOf(HKEY key, const QString& subKey, REGSAM access, OpenKey& parent, OpenKey& target) {
  const std::optional<OpenKey> open = resolve(key);
  if (!open) return ERROR_INVALID_HANDLE;
  const std::optional<QStringList> parts = splitPath(subKey);
  if (!parts) return ERROR_INVALID_PARAMETER;
  if (open->path.size() + parts->size() > MaxKeyDepth) return ERROR_INVALID_PARAMETER;
  parent = *open;
  target = OpenKey{open->root, open->path + *parts, access};
  return ERROR_SUCCESS;
}

}  // namespace

QString storeFilePath(HKEY root) {
  const QString name = rootName(root);
  if (name.isEmpty()) return {};
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Corvane/") + name + QStringLiteral(".reg");
}

LSTATUS openKey(HKEY key, const QString& subKey, REGSAM access, HKEY* result) {
  OpenKey parent, target;
  if (const LSTATUS status = subKeyOf(key, subKey, access, parent, target); status != ERROR_SUCCESS)
    return status;
  if (!load(target.root)->root.find(target.path)) return ERROR_FILE_NOT_FOUND;
  *result = newHandle(target);
  return ERROR_SUCCESS;
}

LSTATUS createKey(HKEY key, const QString& subKey, REGSAM access, HKEY* result) {
  OpenKey parent, target;
  if (const LSTATUS status = subKeyOf(key, subKey, access, parent, target); status != ERROR_SUCCESS)
    return status;
  const std::shared_ptr<const ParsedRegFile> store = load(target.root);
  if (!store->root.find(target.path)) {
    if (!(parent.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
    ParsedRegFile changed = *store;
    changed.root.ensurePath(target.path);
    if (!save(target.root, std::move(changed))) return ERROR_CANTWRITE;
  }
  *result = newHandle(target);
  return ERROR_SUCCESS;
}

LSTATUS closeKey(HKEY key) {
  if (!rootName(key).isEmpty()) return ERROR_SUCCESS;
  std::lock_guard lock(handlesMutex);
  return openHandles.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS queryValueInfo(HKEY key, const QString& name, std::int32_t* type, std::int32_t* size) {
  KeyAccess k;
  if (const LSTATUS status = access(key, KEY_QUERY_VALUE, k); status != ERROR_SUCCESS) return status;
  const RegistryValue* value = k.key->value(name);
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  if (size) *size = std::int32_t(value->data.size());
  return ERROR_SUCCESS;
}

LSTATUS queryValue(HKEY key, const QString& name, std::int32_t* type, QByteArray* data) {
  KeyAccess k;
  if (const LSTATUS status = access(key, KEY_QUERY_VALUE, k); status != ERROR_SUCCESS) return status;
  const RegistryValue* value = k.key->value(name);
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  if (data) *data = value->data;
  return ERROR_SUCCESS;
}

LSTATUS setValue(HKEY key, const QString& name, std::int32_t type, const QByteArray& data) {
  if (!validValueName(name)) return ERROR_INVALID_PARAMETER;
  KeyEdit k;
  if (const LSTATUS status = edit(key, KEY_SET_VALUE, k); status != ERROR_SUCCESS) return status;
  k.key->setValue(name, type, data);
  return save(k.open.root, std::move(k.store)) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LSTATUS deleteValue(HKEY key, const QString& name) {
  KeyEdit k;
  if (const LSTATUS status = edit(key, KEY_SET_VALUE, k); status != ERROR_SUCCESS) return status;
  if (!k.key->removeValue(name)) return ERROR_FILE_NOT_FOUND;
  return save(k.open.root, std::move(k.store)) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LSTATUS deleteKey(HKEY key, const QString& subKey) {
  const std::optional<QStringList> parts = splitPath(subKey);
  if (!parts) return ERROR_INVALID_PARAMETER;
  if (parts->isEmpty()) return ERROR_ACCESS_DENIED;
  KeyEdit k;
  if (const LSTATUS status = edit(key, 0, k); status != ERROR_SUCCESS) return status;
  RegistryKey* parent = k.key->find(parts->mid(0, parts->size() - 1));
  RegistryKey* target = parent ? parent->child(parts->last()) : nullptr;
  if (!target) return ERROR_FILE_NOT_FOUND;
  if (!target->subkeys().empty()) return ERROR_ACCESS_DENIED;
  parent->removeChild(parts->last());
  return save(k.open.root, std::move(k.store)) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LSTATUS enumValue(HKEY key, std::int32_t index, QString* name) {
  KeyAccess k;
  if (const LSTATUS status = access(key, KEY_QUERY_VALUE, k); status != ERROR_SUCCESS) return status;
  if (index < 0 || index >= k.key->values().size()) return ERROR_NO_MORE_ITEMS;
  *name = k.key->values()[index].name;
  return ERROR_SUCCESS;
}

LSTATUS enumKey(HKEY key, std::int32_t index, QString* name) {
  KeyAccess k;
  if (const LSTATUS status = access(key, KEY_ENUMERATE_SUB_KEYS, k); status != ERROR_SUCCESS) return status;
  if (index < 0 || std::size_t(index) >= k.key->subkeys().size()) return ERROR_NO_MORE_ITEMS;
  *name = k.key->subkeys()[std::size_t(index)].name();
  return ERROR_SUCCESS;
}

QString expandEnvironmentStrings(const QString& text) {
  QString out;
  qsizetype pos = 0;
  while (pos < text.size()) {
    const qsizetype open = text.indexOf('%', pos);
    const qsizetype close = open < 0 ? -1 : text.indexOf('%', open + 1);
    if (close < 0) {
      out += text.mid(pos);
      break;
    }
    out += text.mid(pos, open - pos);
    const QString name = text.mid(open + 1, close - open - 1);
    if (!name.isEmpty() && qEnvironmentVariableIsSet(name.toLocal8Bit().constData())) {
      out += qEnvironmentVariable(name.toLocal8Bit().constData());
      pos = close + 1;
    } else {
      // Not a variable: keep the text and let the closing sign open the next name.
      out += text.mid(open, close - open);
      pos = close;
    }
  }
  return out;
}

}  // namespace registry
