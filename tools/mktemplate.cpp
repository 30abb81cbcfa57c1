// Builds the empty database template from the schema script: mktemplate <schema.sql> <output>.
// The output is written under a temporary name and renamed, so a failed build leaves no template.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mktemplate <schema.sql> <output>\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "mktemplate: cannot read %s\n", argv[1]);
    return 1;
  }
  std::stringstream script;
  script << in.rdbuf();

  const std::string output = argv[2];
  const std::string temporary = output + ".tmp";
  std::remove(temporary.c_str());

  sqlite3* db = nullptr;
  if (sqlite3_open(temporary.c_str(), &db) != SQLITE_OK) {
    std::fprintf(stderr, "mktemplate: cannot create %s\n", temporary.c_str());
    sqlite3_close(db);
    std::remove(temporary.c_str());
    return 1;
  }
  char* error = nullptr;
  const std::string sql = "BEGIN;\n" + script.str() + "\nCOMMIT;\nVACUUM;";
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    std::fprintf(stderr, "mktemplate: %s\n", error ? error : "error");
    sqlite3_free(error);
    sqlite3_close(db);
    std::remove(temporary.c_str());
    return 1;
  }
  if (sqlite3_close(db) != SQLITE_OK || std::rename(temporary.c_str(), output.c_str()) != 0) {
    std::fprintf(stderr, "mktemplate: cannot write %s\n", output.c_str());
    std::remove(temporary.c_str());
    return 1;
  }
  return 0;
}
