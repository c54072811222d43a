#include "platform/Password.h"

#include <sodium.h>
#include <stdexcept>

namespace {
PasswordCost g_cost = PasswordCost::Interactive;

void ensureSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready) throw std::runtime_error("libsodium could not be initialised");
}
}

void setPasswordCost(PasswordCost cost) { g_cost = cost; }

QString SavePass(const QString& plain)
{
    ensureSodium();
    const QByteArray utf8 = plain.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    const bool fast = g_cost == PasswordCost::Fast;
    const unsigned long long ops = fast ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE;
    const size_t mem = fast ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE;
    if (crypto_pwhash_str_alg(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()), ops, mem,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return QString::fromLatin1(out);
}

bool CheckPass(const QString& stored, const QString& typed)
{
    ensureSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray utf8 = typed.toUtf8();
    if (!stored.startsWith(QLatin1String("$argon2"))) return false;
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
}
