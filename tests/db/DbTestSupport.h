#pragma once

#include <gtest/gtest.h>

#include <QString>

#include "platform/db/Connection.h"
#include "tests/support/TestDb.h"

// The seeded database of the data-layer tests; they check what the data layer wrote with the helpers
// of tests/support/TestDb.h on the file's path.
namespace dbtest {

// A fresh copy of the template filled with a small, known set of rows (see DbTestSupport.cpp).
QString seededDatabase();

// A test with a connection open on a fresh seeded database.
class SeededDb : public ::testing::Test {
 protected:
  void SetUp() override;
  QString path;
  db::Connection conn;
};

}  // namespace dbtest
