#pragma once
// The packed field values as Qt signal and QVariant arguments. Every file that
// passes them through Qt includes this header, so each type is declared once.

#include <QMetaType>

#include "protocol/value_types.h"

Q_DECLARE_METATYPE(Zuno::DirectionAndStat)
Q_DECLARE_METATYPE(Zuno::TerminalContent)
Q_DECLARE_METATYPE(Zuno::AlertAndLang)
