// Build-time tool: makes a template database file from SQL texts.
//
//   make_template <output.db> <schema.sql> <data.sql>
//
// Deletes the output when present, creates a new database, runs the schema and then the data
// text in one transaction. On any error it prints the reason, removes the half-made output and
// exits with a non-zero status.
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "make_template: cannot read " << path << "\n";
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool exec(sqlite3* db, const std::string& sql, const std::string& what) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::cerr << "make_template: " << what << ": " << (message ? message : "unknown error")
                  << "\n";
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool build(sqlite3* db, const std::string& schemaPath, const std::string& schema,
           const std::string& dataPath, const std::string& data) {
    return exec(db, "PRAGMA foreign_keys = ON", "foreign keys") &&
           exec(db, "BEGIN", "begin") && exec(db, schema, schemaPath) &&
           exec(db, data, dataPath) && exec(db, "COMMIT", "commit");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: make_template <output.db> <schema.sql> <data.sql>\n";
        return 2;
    }
    const std::string output = argv[1];
    const std::string schemaPath = argv[2];
    const std::string dataPath = argv[3];

    std::error_code ec;
    std::filesystem::remove(output, ec);
    if (ec) {
        std::cerr << "make_template: cannot delete " << output << ": " << ec.message() << "\n";
        return 1;
    }

    std::string schema;
    std::string data;
    if (!readFile(schemaPath, schema) || !readFile(dataPath, data)) return 1;

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(output.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        std::cerr << "make_template: cannot create " << output << ": "
                  << (db ? sqlite3_errmsg(db) : "out of memory") << "\n";
        sqlite3_close(db);
        std::filesystem::remove(output, ec);
        return 1;
    }
    const bool ok = build(db, schemaPath, schema, dataPath, data);
    if (sqlite3_close(db) != SQLITE_OK) {
        std::cerr << "make_template: cannot close " << output << "\n";
        std::filesystem::remove(output, ec);
        return 1;
    }
    if (!ok) {
        std::filesystem::remove(output, ec);
        return 1;
    }
    return 0;
}
