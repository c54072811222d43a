// Opens the contract list of the 100,000-contract demo database into a dataset
// shown by the list grid and holds it, so that /usr/bin/time -v can report the
// peak memory of a program showing that list.
#include "BenchData.h"

#include "data/DataGrid.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int contracts = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const QString file = BenchData::demoFile(contracts);
    auto c = BenchData::open(contracts);
    Dataset ds = c->query(BenchData::listSql(false));
    DataGrid grid;
    grid.setDataset(&ds);
    grid.resize(1200, 700);
    grid.show();
    QApplication::processEvents();
    std::printf("%d rows held, dataset %.1f MB\n", ds.rowCount(), ds.memoryBytes() / (1024.0 * 1024.0));
    return 0;
}
