#pragma once
#include <QString>

// Operator passwords are stored as argon2id hashes; a stored text never reads
// back as the password. The check is exact and case-sensitive.
QString SavePass(const QString& plain);
bool CheckPass(const QString& stored, const QString& typed);

// How much work one hash costs. Interactive is what the program uses; Fast is for
// test fixtures that make many operators.
enum class PasswordCost { Interactive, Fast };
void setPasswordCost(PasswordCost cost);
