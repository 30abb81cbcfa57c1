#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "platform/registry/Registry.h"
#include "tests/support/Printers.h"

// Every test gets its own empty configuration folder, so the store files start missing.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QString storeFolder() const;
  QString userStore() const { return registry::storeFilePath(HKEY_CURRENT_USER); }
  QByteArray readStore(HKEY root) const;
  void writeStore(HKEY root, const QByteArray& text) const;

 private:
  QTemporaryDir m_config;
  QByteArray m_previousConfig;
};
