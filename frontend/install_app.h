// The installer's start-up: reads the product version and company from the program's own
// version resource, runs the main dialog with the licence, and ends the program when that dialog
// closes.
#ifndef CIRVANE_FRONTEND_INSTALL_APP_H_
#define CIRVANE_FRONTEND_INSTALL_APP_H_

#include <string>

// The "ProductVersion" text of the version resource (e.g. "Version 4.00o"); empty until
// start-up has read it, and empty when the program has none.
extern std::string g_productVersion;
// The "CompanyName" text of the version resource (e.g. "Veltro Corporation"), read with it.
extern std::string g_companyName;

class CInstallApp {
 public:
  virtual ~CInstallApp() = default;
  // Reads the version and company, runs the main dialog modally with the licence and returns 0
  // (FALSE), so that the program ends as soon as the dialog has closed.
  virtual int InitInstance();
  // The exit status for the program: 0, or kFailureExitStatus when the main dialog could not be
  // shown at all.
  int exitStatus() const { return m_exitStatus; }

 private:
  int m_exitStatus = 0;
};

#endif  // CIRVANE_FRONTEND_INSTALL_APP_H_
