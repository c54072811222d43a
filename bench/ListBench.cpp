// Time of the contract list refresh on demo databases of 1,000, 10,000 and
// 100,000 contracts, against the floor of the bare engine reading the same rows.
#include "BenchData.h"

#include "data/DataGrid.h"
#include "data/DatasetModel.h"
#include "platform/db/Dialect.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <map>
#include <sqlcipher/sqlite3.h>

namespace {
Connection& connection(int contracts)
{
    static std::map<int, std::unique_ptr<Connection>> open;
    auto& c = open[contracts];
    if (!c) {
        c = BenchData::open(contracts);
        // One untimed read, so that no benchmark pays for the first touch of the file.
        benchmark::DoNotOptimize(c->query(BenchData::listSql(false)).rowCount());
    }
    return *c;
}

QVariantList params(bool search)
{
    return search ? QVariantList{BenchData::searchPattern()} : QVariantList{};
}

// (a) The refresh as the main window runs it: statement, snapshot, model reset.
void refresh(benchmark::State& state, bool search)
{
    Connection& c = connection(static_cast<int>(state.range(0)));
    const QString sql = BenchData::listSql(search);
    DatasetModel model;
    Dataset ds;
    model.setDataset(&ds);
    int64_t rows = 0;
    for (auto _ : state) {
        ds = c.query(sql, params(search));
        model.reload();
        rows += ds.rowCount();
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.SetItemsProcessed(rows);
    state.counters["rows"] = static_cast<double>(ds.rowCount());
    state.counters["MB"] = static_cast<double>(ds.memoryBytes()) / (1024.0 * 1024.0);
}

// The same with the list grid on screen (view, header and footer follow the reset).
void refreshGrid(benchmark::State& state, bool search)
{
    Connection& c = connection(static_cast<int>(state.range(0)));
    const QString sql = BenchData::listSql(search);
    DataGrid grid;
    Dataset ds;
    grid.setDataset(&ds);
    grid.resize(1000, 600);
    int64_t rows = 0;
    for (auto _ : state) {
        ds = c.query(sql, params(search));
        grid.refresh();
        rows += ds.rowCount();
    }
    state.SetItemsProcessed(rows);
}

// (b) The floor: the bare engine steps every row and reads every column, keeping nothing.
void floorRead(benchmark::State& state, bool search)
{
    Connection& c = connection(static_cast<int>(state.range(0)));
    const QByteArray sql = Dialect::translate(BenchData::listSql(search)).toUtf8();
    const QByteArray pattern = BenchData::searchPattern().toUtf8();
    int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(c.handle(), sql.constData(), static_cast<int>(sql.size()), &st, nullptr);
        if (search) sqlite3_bind_text(st, 1, pattern.constData(), static_cast<int>(pattern.size()), SQLITE_STATIC);
        const int cols = sqlite3_column_count(st);
        uint64_t sum = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < cols; ++i) {
                switch (sqlite3_column_type(st, i)) {
                case SQLITE_INTEGER: sum += static_cast<uint64_t>(sqlite3_column_int64(st, i)); break;
                case SQLITE_FLOAT: sum += static_cast<uint64_t>(sqlite3_column_double(st, i)); break;
                case SQLITE_TEXT:
                    sum += reinterpret_cast<uintptr_t>(sqlite3_column_text(st, i)) & 1;
                    sum += static_cast<uint64_t>(sqlite3_column_bytes(st, i));
                    break;
                case SQLITE_BLOB:
                    sum += reinterpret_cast<uintptr_t>(sqlite3_column_blob(st, i)) & 1;
                    sum += static_cast<uint64_t>(sqlite3_column_bytes(st, i));
                    break;
                default: break;
                }
            }
            ++rows;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(rows);
}

// (c) The in-memory sort of the snapshot by one column, as a title click does.
void sortBy(benchmark::State& state, const char* spec)
{
    Connection& c = connection(static_cast<int>(state.range(0)));
    Dataset ds = c.query(BenchData::listSql(false));
    for (auto _ : state) {
        ds.sort(QString::fromLatin1(spec));
        state.PauseTiming();
        ds.sort(QString());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * ds.rowCount());
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}
}

BENCHMARK_CAPTURE(refresh, list, false)->Apply(sizes);
BENCHMARK_CAPTURE(refresh, search, true)->Apply(sizes);
BENCHMARK_CAPTURE(refreshGrid, list, false)->Apply(sizes);
BENCHMARK_CAPTURE(floorRead, list, false)->Apply(sizes);
BENCHMARK_CAPTURE(floorRead, search, true)->Apply(sizes);
BENCHMARK_CAPTURE(sortBy, text, "F_name ASC")->Apply(sizes);
BENCHMARK_CAPTURE(sortBy, date, "F_date DESC")->Apply(sizes);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The demo databases are made before any timing starts.
    for (int n : {1000, 10000, 100000}) connection(n);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
