#pragma once

#include <QString>

// A look at a module file before the dynamic loader maps it. The loader maps a shared object's
// segments as the headers describe them; a file cut short leaves pages past its end mapped, and
// the first touch of one kills the process with SIGBUS. So an ELF file of this program's class
// and byte order must hold its whole header, both header tables and every segment's contents.
// A copy that stopped after the file was allocated has the full length but zeros at its end: the
// loader then follows null entries of the dynamic section into a crash. So the dynamic section
// and the string, symbol, hash and relocation tables it names must lie in the file's contents
// and must not be zero-filled.
namespace ModuleImageCheck {

// Empty when the file can be handed to the dynamic loader, else what is wrong with it. Files
// that are no ELF file of this program's kind pass: the loader refuses those by itself.
QString Damage(const QString& path);

} // namespace ModuleImageCheck
