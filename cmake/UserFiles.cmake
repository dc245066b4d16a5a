# The files of Data/ that belong to the user: the program writes them while it
# runs (messages, contacts, profiles, settings, the debug log). A copy that
# exists is never replaced by the shipped one, neither in a build that runs in
# place nor in an installed program's user folder.
set(VELTO_USER_FILES
  sms.xml contact.xml totalRecord.conf defaultRecord.conf
  networksetconfigrc messagesetconfigrc alertsetconfigrc traffichistory debug.log)
