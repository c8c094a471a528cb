#pragma once

#include "report/preparedpage.h"

#include <QByteArrayView>

// Prepared pages made from fuzz bytes, for the writers' targets. Each box takes a style
// byte (0xFF starts a new page instead), four position bytes and a length byte followed by
// that many UTF-16 units, two bytes each, so that cell texts reach unpaired surrogates, NUL,
// control characters and characters outside Windows-1251. Boxes may overlap, leave the
// page or have no size. The styles live as long as the program.
PreparedReport fuzzReport(QByteArrayView bytes);
