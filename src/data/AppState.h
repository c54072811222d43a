#pragma once
#include <QString>
#include <array>

// The signed-in operator and the process-wide options, filled at sign-in and by
// the settings windows; read everywhere.
struct AppStateRecord {
    QString OperName;            // trimmed
    int ScopeFlag = 0;           // 0 all contracts, 1 own as salesman, 2 listed departments
    QString DeptList;            // stored form: 'A','B'
    bool CanApprove = false;
    QString CompanyName;
    std::array<QString, 15> Captions;  // entries 1..14; [0] unused
    QString MoneyFormat = QStringLiteral(",0.00");
    QString ImeName;
    int BackupMode = 0;          // 0 never, 1 every close, 2 Mondays, 3 first of the month
    bool ShowReminders = false;
    bool AutoClientCode = false;
    bool AutoContractCode = false;

    static inline const QString ProductTitle = QStringLiteral("Korvan合同管理软件 ");
    static inline const QString VersionText = QStringLiteral("v2.20(企业版) ");
    static inline const QString MakerBanner = QStringLiteral("Korvan 合同管理  ");
    static inline const QString ApplicationTitle = QStringLiteral("Korvan合同管理软件(企业版)");

    // "admin" in any case, with blanks around it, holds everything.
    bool isAdmin() const { return OperName.trimmed().toLower() == QLatin1String("admin"); }
    // The decimal places of caption entry n (12 quantities, 13 prices, 14 money); 2 when unreadable.
    int decimals(int entry) const;
};

AppStateRecord& AppState();
