#pragma once

#include <gtest/gtest.h>

#include <QString>

#include "platform/db/Connection.h"

// Helpers of the data-layer tests. The raw* functions read and write the file through SQLite
// directly, so that what the data layer wrote is checked by something other than itself.
namespace dbtest {

// A fresh copy of the template filled with a small, known set of rows (see DbTestSupport.cpp).
QString seededDatabase();

// The first column of the first row as text; a null QString for NULL or no row.
QString rawValue(const QString& path, const QString& sql);
int rawCount(const QString& path, const QString& sqlFromWhere);  // SELECT count(*) + the text
void rawExec(const QString& path, const QString& sql);

// A test with a connection open on a fresh seeded database.
class SeededDb : public ::testing::Test {
 protected:
  void SetUp() override;
  QString path;
  db::Connection conn;
};

}  // namespace dbtest
