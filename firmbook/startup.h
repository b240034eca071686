#pragma once

#include <QString>

#include <memory>

namespace firmbook {

class TForm1;

// "Provider=...;Data Source=<folder>data\com.mdb;...;Jet OLEDB:Database
// Password=2917061", the pieces joined as they are.
QString connectionString(const QString& programFolder);

// Connects the window to data\com.mdb in the program folder. Any failure is
// reported with the program's own plain message and nothing else; false then.
bool connectToDirectory(TForm1& window);

// The whole start-up up to the event loop: title, the window (its clock
// starts), the connection, the window shown (which lists the directory).
// Closing the returned window ends the program.
std::unique_ptr<TForm1> startUp();

} // namespace firmbook
