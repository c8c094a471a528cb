#pragma once

// Which of the two measurement tables: the basic archive's (`NextGrid62`, first tab) or the
// individual archive's (`NextGrid61`, second tab). Every "which table" in the program is one
// of these; the columns of each are in definitionOf(kind).
enum class TableKind { Basic, Individual };
