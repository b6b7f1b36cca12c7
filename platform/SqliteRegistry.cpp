#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/Prefix.h"
#include "platform/Registry.h"
#include "platform/RegistryNames.h"
#include "platform/RegistryValueCheck.h"
#include "platform/SystemErrorText.h"
#include "platform/TextEncoding.h"

// The registry store of the prefix: one SQLite database, shared by every process that uses the
// prefix. Each call runs in one transaction, so no process ever sees half an operation.
namespace lumora {
namespace {

constexpr int kBusyTimeoutMilliseconds = 10000;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS meta(
    name TEXT PRIMARY KEY,
    value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS reg_keys(
    id INTEGER PRIMARY KEY,
    parent INTEGER REFERENCES reg_keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    folded TEXT NOT NULL,
    UNIQUE(parent, folded));
CREATE TABLE IF NOT EXISTS reg_values(
    key INTEGER NOT NULL REFERENCES reg_keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    folded TEXT NOT NULL,
    type TEXT NOT NULL CHECK (type IN ('REG_SZ', 'REG_EXPAND_SZ', 'REG_DWORD')),
    data TEXT NOT NULL,
    PRIMARY KEY(key, folded));
INSERT OR IGNORE INTO reg_keys(id, parent, name, folded) VALUES
    (1, NULL, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine'),
    (2, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user');
)sql";

std::int64_t RootId(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? 1 : 2;
}

struct DatabaseCloser {
    void operator()(sqlite3* database) const { sqlite3_close_v2(database); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// The database connection with the name of its file, which every error text carries.
class Database {
public:
    explicit Database(const std::filesystem::path& file) : file_(file) {
        sqlite3* raw = nullptr;
        const int result = sqlite3_open_v2(file.c_str(), &raw,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        handle_.reset(raw);
        if (result != SQLITE_OK) {
            Fail("Не удаётся открыть реестр");
        }
        sqlite3_busy_timeout(raw, kBusyTimeoutMilliseconds);
        sqlite3_extended_result_codes(raw, 1);
    }

    sqlite3* Handle() const { return handle_.get(); }

    [[noreturn]] void Fail(std::string_view what) const {
        const char* reason = handle_ ? sqlite3_errmsg(handle_.get()) : "нет памяти";
        throw Error(std::string(what) + " \"" + DisplayableUtf8(file_.native()) + "\": " + reason);
    }

    void Execute(const char* sql) const {
        if (sqlite3_exec(handle_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            Fail("Ошибка реестра");
        }
    }

    // For the statements that SQLite runs without calling the busy handler, such as switching
    // a new database to WAL while another process is switching it too: they report "database
    // is locked" at once, so the waiting is done here, within the same time limit.
    void ExecuteWaitingWhileBusy(const char* sql) const {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMilliseconds);
        int pause = 1;
        while (sqlite3_exec(handle_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            if ((sqlite3_errcode(handle_.get()) & 0xff) != SQLITE_BUSY ||
                std::chrono::steady_clock::now() >= deadline) {
                Fail("Ошибка реестра");
            }
            sqlite3_sleep(pause);
            pause = std::min(pause * 2, 50);
        }
    }

private:
    std::filesystem::path file_;
    std::unique_ptr<sqlite3, DatabaseCloser> handle_;
};

class Statement {
public:
    Statement(const Database& database, const char* sql) : database_(database) {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(database.Handle(), sql, -1, &raw, nullptr) != SQLITE_OK) {
            database.Fail("Ошибка реестра");
        }
        handle_.reset(raw);
    }

    Statement& Bind(int index, std::int64_t number) {
        Check(sqlite3_bind_int64(handle_.get(), index, number));
        return *this;
    }
    Statement& Bind(int index, std::string_view text) {
        Check(sqlite3_bind_text(handle_.get(), index, text.data(), static_cast<int>(text.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }

    // True while a result row is ready.
    bool Step() {
        const int result = sqlite3_step(handle_.get());
        if (result == SQLITE_ROW) {
            return true;
        }
        if (result != SQLITE_DONE) {
            database_.Fail("Ошибка реестра");
        }
        return false;
    }
    void Run() {
        while (Step()) {
        }
    }

    std::int64_t Number(int column) const { return sqlite3_column_int64(handle_.get(), column); }
    std::string Text(int column) const {
        const auto* text = sqlite3_column_text(handle_.get(), column);
        const int size = sqlite3_column_bytes(handle_.get(), column);
        return text ? std::string(reinterpret_cast<const char*>(text),
                                  static_cast<std::size_t>(size))
                    : std::string();
    }

private:
    void Check(int result) const {
        if (result != SQLITE_OK) {
            database_.Fail("Ошибка реестра");
        }
    }

    const Database& database_;
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> handle_;
};

// Rolls back unless committed, so an exception leaves the store as it was.
class Transaction {
public:
    enum class Kind { Read, Write };
    Transaction(const Database& database, Kind kind) : database_(database) {
        // A writer takes the write lock at once: upgrading a read transaction later could fail
        // with "database is locked" without waiting.
        database.Execute(kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN");
    }
    ~Transaction() {
        if (!finished_) {
            sqlite3_exec(database_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit() {
        database_.Execute("COMMIT");
        finished_ = true;
    }

private:
    const Database& database_;
    bool finished_ = false;
};

struct FoundKey {
    std::int64_t id;
    std::string storedPath;  // names as stored, joined with "\"
};

class SqliteRegistry final : public Registry {
public:
    explicit SqliteRegistry(const std::filesystem::path& prefix)
        : database_(prefix / "registry.db") {
        database_.Execute("PRAGMA foreign_keys = ON");
        database_.ExecuteWaitingWhileBusy("PRAGMA journal_mode = WAL");
        // In WAL mode NORMAL never corrupts the store; at worst a power cut loses the last
        // committed operations, as the Windows registry's lazy flush would.
        database_.Execute("PRAGMA synchronous = NORMAL");
        SetUp(prefix);
    }

    bool KeyExists(RegistryRoot root, std::string_view key) const override {
        const auto names = SplitRegistryKeyPath(key);
        Transaction transaction(database_, Transaction::Kind::Read);
        const bool exists = FindKey(root, names).has_value();
        transaction.Commit();
        return exists;
    }

    void CreateKey(RegistryRoot root, std::string_view key) override {
        const auto names = SplitRegistryKeyPath(key);
        Transaction transaction(database_, Transaction::Kind::Write);
        EnsureKey(root, names);
        transaction.Commit();
    }

    std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                          std::string_view name) const override {
        const auto names = SplitRegistryKeyPath(key);
        Transaction transaction(database_, Transaction::Kind::Read);
        std::optional<std::string> data;
        if (const auto found = FindKey(root, names)) {
            Statement select(
                database_,
                "SELECT name, type, data FROM reg_values WHERE key = ?1 AND folded = ?2");
            select.Bind(1, found->id).Bind(2, FoldRegistryName(name));
            if (select.Step()) {
                const auto type = select.Text(1);
                if (!IsRegistryStringType(type)) {
                    throw Error("Значение \"" + select.Text(0) + "\" раздела реестра \"" +
                                FullRegistryKeyName(root, found->storedPath) + "\" не строковое (" +
                                type + ")");
                }
                data = select.Text(2);
            }
        }
        transaction.Commit();
        return data;
    }

    void WriteString(RegistryRoot root, std::string_view key, std::string_view name,
                     std::string_view data) override {
        WriteValue(root, key, RegistryValue{std::string(name), "REG_SZ", std::string(data)});
    }

    void WriteValue(RegistryRoot root, std::string_view key, const RegistryValue& value) override {
        const auto checked = CheckedRegistryValue(value);
        const auto names = SplitRegistryKeyPath(key);
        Transaction transaction(database_, Transaction::Kind::Write);
        PutValue(ExistingKey(root, names, key).id, checked);
        transaction.Commit();
    }

    bool DeleteValue(RegistryRoot root, std::string_view key, std::string_view name) override {
        const auto names = SplitRegistryKeyPath(key);
        Transaction transaction(database_, Transaction::Kind::Write);
        bool deleted = false;
        if (const auto found = FindKey(root, names)) {
            Statement remove(database_, "DELETE FROM reg_values WHERE key = ?1 AND folded = ?2");
            remove.Bind(1, found->id).Bind(2, FoldRegistryName(name)).Run();
            deleted = sqlite3_changes(database_.Handle()) > 0;
        }
        transaction.Commit();
        return deleted;
    }

    bool DeleteKey(RegistryRoot root, std::string_view key) override {
        const auto names = SplitRegistryKeyPath(key);
        if (names.empty()) {
            throw Error("Корневой раздел реестра \"" + FullRegistryKeyName(root, "") +
                        "\" удалить нельзя");
        }
        Transaction transaction(database_, Transaction::Kind::Write);
        bool deleted = false;
        if (const auto found = FindKey(root, names)) {
            // Subkeys and values go with it (ON DELETE CASCADE).
            Statement(database_, "DELETE FROM reg_keys WHERE id = ?1").Bind(1, found->id).Run();
            deleted = true;
        }
        transaction.Commit();
        return deleted;
    }

    std::vector<RegistryValue> ListValues(RegistryRoot root, std::string_view key) const override {
        const auto names = SplitRegistryKeyPath(key);
        Transaction transaction(database_, Transaction::Kind::Read);
        Statement select(database_,
                         "SELECT name, type, data FROM reg_values WHERE key = ?1 ORDER BY rowid");
        select.Bind(1, ExistingKey(root, names, key).id);
        std::vector<RegistryValue> values;
        while (select.Step()) {
            values.push_back({select.Text(0), select.Text(1), select.Text(2)});
        }
        transaction.Commit();
        return values;
    }

    std::vector<std::string> ListSubkeys(RegistryRoot root, std::string_view key) const override {
        const auto names = SplitRegistryKeyPath(key);
        Transaction transaction(database_, Transaction::Kind::Read);
        Statement select(database_, "SELECT name FROM reg_keys WHERE parent = ?1 ORDER BY folded");
        select.Bind(1, ExistingKey(root, names, key).id);
        std::vector<std::string> subkeys;
        while (select.Step()) {
            subkeys.push_back(select.Text(0));
        }
        transaction.Commit();
        return subkeys;
    }

    std::string StoredKeyPath(RegistryRoot root, std::string_view key) const override {
        const auto names = SplitRegistryKeyPath(key);
        Transaction transaction(database_, Transaction::Kind::Read);
        auto path = ExistingKey(root, names, key).storedPath;
        transaction.Commit();
        return path;
    }

private:
    // Creates the tables, and on the very first open what a fresh system holds. Deciding inside
    // one write transaction makes this happen once even when several processes start together,
    // and never again after the user removed some of it.
    void SetUp(const std::filesystem::path& prefix) {
        Transaction transaction(database_, Transaction::Kind::Write);
        if (sqlite3_exec(database_.Handle(), kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) {
            database_.Fail("Не удаётся открыть реестр");
        }
        Statement flag(database_, "SELECT value FROM meta WHERE name = 'defaults'");
        if (!flag.Step()) {
            const auto windows = prefix / "windows";
            std::error_code error;
            std::filesystem::create_directories(windows / "System", error);
            if (error) {
                throw Error("Не удаётся создать папку \"" +
                            DisplayableUtf8((windows / "System").native()) +
                            "\": " + SystemErrorText(error));
            }
            const auto currentVersion = EnsureKey(
                RegistryRoot::LocalMachine, {"Software", "Microsoft", "Windows", "CurrentVersion"});
            PutValue(currentVersion.id, {"SystemRoot", "REG_SZ", PathToUtf8(windows)});
            EnsureKey(RegistryRoot::LocalMachine,
                      {"Software", "Microsoft", "Windows", "CurrentVersion", "Run"});
            EnsureKey(RegistryRoot::CurrentUser, {"Control Panel", "Desktop"});
            const auto display =
                EnsureKey(RegistryRoot::LocalMachine, {"Config", "0001", "Display", "Settings"});
            PutValue(display.id, {"Resolution", "REG_SZ", "1024,768"});
            Statement(database_, "INSERT INTO meta(name, value) VALUES ('defaults', '1')").Run();
        }
        transaction.Commit();
    }

    std::optional<std::int64_t> FindChild(std::int64_t parent, const std::string& name) const {
        Statement select(database_, "SELECT id FROM reg_keys WHERE parent = ?1 AND folded = ?2");
        select.Bind(1, parent).Bind(2, FoldRegistryName(name));
        if (!select.Step()) {
            return std::nullopt;
        }
        return select.Number(0);
    }

    std::string StoredName(std::int64_t id) const {
        Statement select(database_, "SELECT name FROM reg_keys WHERE id = ?1");
        select.Bind(1, id);
        return select.Step() ? select.Text(0) : std::string();
    }

    static void AppendName(std::string& path, const std::string& name) {
        if (!path.empty()) {
            path += '\\';
        }
        path += name;
    }

    std::optional<FoundKey> FindKey(RegistryRoot root,
                                    const std::vector<std::string>& names) const {
        FoundKey key{RootId(root), {}};
        for (const auto& name : names) {
            const auto child = FindChild(key.id, name);
            if (!child) {
                return std::nullopt;
            }
            key.id = *child;
            AppendName(key.storedPath, StoredName(key.id));
        }
        return key;
    }

    FoundKey ExistingKey(RegistryRoot root, const std::vector<std::string>& names,
                         std::string_view key) const {
        auto found = FindKey(root, names);
        if (!found) {
            throw Error("Раздел реестра \"" + FullRegistryKeyName(root, key) + "\" не существует");
        }
        return *found;
    }

    FoundKey EnsureKey(RegistryRoot root, const std::vector<std::string>& names) {
        FoundKey key{RootId(root), {}};
        for (const auto& name : names) {
            if (const auto child = FindChild(key.id, name)) {
                key.id = *child;
                AppendName(key.storedPath, StoredName(key.id));
                continue;
            }
            if (!IsValidUtf8(name) || name.find('\0') != std::string::npos) {
                throw Error("Неверное имя раздела реестра \"" + DisplayableUtf8(name) + "\"");
            }
            Statement insert(database_,
                             "INSERT INTO reg_keys(parent, name, folded) VALUES (?1, ?2, ?3)");
            insert.Bind(1, key.id).Bind(2, name).Bind(3, FoldRegistryName(name)).Run();
            key.id = sqlite3_last_insert_rowid(database_.Handle());
            AppendName(key.storedPath, name);
        }
        return key;
    }

    // Inserts or replaces; a replaced value keeps the name it was created with.
    void PutValue(std::int64_t key, const RegistryValue& value) {
        Statement upsert(database_,
                         "INSERT INTO reg_values(key, name, folded, type, data) "
                         "VALUES (?1, ?2, ?3, ?4, ?5) "
                         "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, "
                         "data = excluded.data");
        upsert.Bind(1, key)
            .Bind(2, value.name)
            .Bind(3, FoldRegistryName(value.name))
            .Bind(4, value.type)
            .Bind(5, value.data)
            .Run();
    }

    Database database_;
};

}  // namespace

std::unique_ptr<Registry> OpenRegistry() {
    const auto prefix = PrefixPath();
    std::error_code error;
    std::filesystem::create_directories(prefix, error);
    if (error) {
        throw Error("Не удаётся создать папку \"" + DisplayableUtf8(prefix.native()) +
                    "\": " + SystemErrorText(error));
    }
    return std::make_unique<SqliteRegistry>(prefix);
}

}  // namespace lumora
