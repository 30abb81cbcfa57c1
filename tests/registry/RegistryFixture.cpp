#include "tests/registry/RegistryFixture.h"

#include <QDir>
#include <QFile>

void RegistryTest::SetUp() {
  ASSERT_TRUE(m_config.isValid());
  m_previousConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
}

void RegistryTest::TearDown() { qputenv("XDG_CONFIG_HOME", m_previousConfig); }

QString RegistryTest::storeFolder() const { return m_config.path() + QStringLiteral("/Corvane"); }

QByteArray RegistryTest::readStore(HKEY root) const {
  QFile file(registry::storeFilePath(root));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void RegistryTest::writeStore(HKEY root, const QByteArray& text) const {
  QDir().mkpath(storeFolder());
  QFile file(registry::storeFilePath(root));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text);
}
