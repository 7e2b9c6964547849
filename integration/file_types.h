// Removal of file-type registrations that earlier installations left under HKEY_CLASSES_ROOT:
// the ProgIDs whose icon is the simulator's executable and the extensions that name the
// product. The installer registers no file types itself. Failures are silent.
#ifndef CIRVANE_INTEGRATION_FILE_TYPES_H_
#define CIRVANE_INTEGRATION_FILE_TYPES_H_

// The ProgIDs examined, in order.
inline constexpr const char* kProgIds[] = {
    "ACS.Document",    "ASC.Document",      "Asy.Document",    "Cir.document",
    "ECS.Document",    "Net.Document",      "Raw.Document",    "Sp.Document",
    "Cirvane Netlist", "Cirvane Schematic", "Cirvane.Netlist", "Cirvane.Schematic",
    "Cirvane.Symbol",  "Cirvane.Rawfile",
};

// The file extensions examined, in order.
inline constexpr const char* kExtensions[] = {".asc", ".cir", ".asy", ".raw"};

// Removes every ProgID of kProgIds whose "DefaultIcon" names "\qsim3.exe," (any letter case):
// its open, print and printto verbs with their "ddeexec" and "command" keys, its icon key and
// the ProgID itself. A subkey outside that list keeps its parents. Then removes every extension
// of kExtensions whose default value names "Cirvane" (any letter case) together with its
// "ShellNew" subkey; an extension key with other subkeys stays.
void RemoveOldFileTypes();

#endif  // CIRVANE_INTEGRATION_FILE_TYPES_H_
