#include "connection/connectionglobals.h"

QString defConfFile;
QString delflagOfCurrentApn;
QString mccOfCurrentApn;
QString newConfigDialgName;
int connectOrDisconnectButton = 1;
int connecting = 0;
