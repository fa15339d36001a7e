// The module's string table: message texts, command prompts (text, line break, tool tip) and the
// help file name.
#include "ModuleResources.h"

#include <string_view>

namespace {

constexpr ResourceEntry string(WORD id, std::wstring_view text)
{
    return ResourceEntry{6, id, LANG_ENGLISH_US, text.data(), static_cast<DWORD>(text.size())};
}

const ResourceEntry entries[] = {
    string(22000, L"Serion"),
    string(22001, L"No OLE DB Error Information found: hr = 0x%x"),
    string(22002, L"OLE DB Error Record dump retrieval failed: hr = 0x%x"),
    string(22003, L"default.d"),
    string(22004, L"Orvane is in use and has been locked by user [%s] and left following message."),
    string(22005, L"Orvane will be locked, please leave warning message."),
    string(22006, L"&Unlock Orvane"),
    string(22007, L"Run complete."),
    string(22008, L"\"Serion Methods Post-Run complete.\""),
    string(22009, L"Run aborted."),
    string(22010, L"Started Pre-Run Check for existing data files..."),
    string(22011, L" "),
    string(22012, L"STANDBY"),
    string(22013, L"LAMPALL OFF"),
    string(22014, L"PUMPALL OFF"),
    string(22015, L"%d old data folder still exists:\n%s \n\nDid you want to delete all old data and start the run?"),
    string(22016, L"Are you sure you want to delete "),
    string(22017, L"There is another group with the same name"),
    string(22018, L"Wrong user name or password, please try again."),
    string(22019, L"The user name too short, please try again."),
    string(22020, L"The new password did not match, please try again."),
    string(22021, L"The old password did not match, please try again."),
    string(22022, L"You do not specify a password.\n\nAre you sure you don't want password for this account?"),
    string(22023, L"Method list is empty. Please add methods."),
    string(22024, L"Method Name"),
    string(22025, L"Data File"),
    string(22026, L"Comments"),
    string(22027, L"Location"),
    string(22028, L"FIA Sample Name"),
    string(22029, L"Inj/Loc"),
    string(22030, L"Open Serion Window."),
    string(22031, L"Serion Window Closed."),
    string(22032, L"Serion start group %s."),
    string(22034, L"Method directory does not exist."),
    string(22035, L"A group name is also the start of its data file names: it must have 1 to 50 characters, must "
                  L"not begin with a blank, and must not contain any of these characters: \\ / : * ? \" < > |"),
    string(22037, L"A shut-down command can have at most 50 characters; the group keeps its option."),
    string(22038, L"These methods are listed without FIA because their FIA.REG cannot be used:"),
    string(22039, L"Paused: the next method waits for Run."),
    string(22040, L"Orvane stopped while this method ran."),
    string(22041, L"Interrupted at row %d (%s): Group > Continue"),
    string(22042, L"Serion group %s was interrupted at row %d (%s)."),
    string(22043, L"Orvane stopped while this method ran. Its data so far are kept in %s."),
    string(22044, L"Another Orvane runs this group now. It can be run here once that run has ended."),
    string(22045, L"Serion continue group %s."),
    string(22046, L"Serion recovery command %s sent."),
    string(22047, L"Waiting for the instrument: a method that Serion did not start is running."),
    string(22048, L"Serion group %s row %d (%s) done."),
    string(22049, L"Serion group %s row %d (%s) failed: %s"),
    string(22050, L"Serion group %s row %d (%s) stopped by %s."),
    string(22051, L"Serion group %s ended: %d done, %d failed, %d not run."),
    string(22052, L"No data was written: the data folder %s does not exist."),
    string(22053, L"Rows %d and %d would both write their data into this folder:\n%s\nRun anyway?"),
    string(22054, L"Stopped by %s."),
    string(22056, L"Go on with the next method"),
    string(22057, L"Pause the run"),
    string(22058, L"Stop the group"),
    string(22059, L"Row %d (%s) failed: the next method waits for Run."),
    string(22060, L"Row %d (%s) failed: the group was stopped."),
    string(22061, L"Serion group %s row %d (%s) failed: the run pauses."),
    string(22062, L"Serion group %s row %d (%s) failed: the group stops."),
    string(22063, L"Serion emergency command %s sent."),
    string(22064, L"The run stops after the running method."),
    string(22065, L"Serion group %s stops after row %d (%s)."),
    string(22066, L"Results are not saved yet; Serion tries again and the next method waits. %s"),
    string(22067, L"The run's results could not be saved in the worklist:\n%s\nThe run has ended, and the "
                  L"list shows again what the worklist holds."),
    string(22068, L"The worklist %s is read-only: a run could not save its results. Clear the file's "
                  L"read-only attribute, then open this window again."),
    string(22070, L"Another Orvane runs group %s now. It cannot be changed or deleted here until that run has ended."),
    string(22071, L"The worklist holds a method table %s without its group, left when Orvane stopped while adding "
                  L"it. Yes takes it back as the group, with its rows; No removes it and adds the group empty; "
                  L"Cancel adds nothing."),
    string(22072, L"Serion cannot write its trace log %s; its entries are lost until the file can be written "
                  L"again. Check that the file is not read-only and that its drive has space."),
    string(22073, L"A group name must not end with a blank: it would look the same as the name without it."),
    string(22074, L"A group name must not hold a no-break space: it looks like a blank but is another character. "
                  L"Type an ordinary blank instead."),
    string(22075, L"A group name must not hold an invisible character (a zero-width space or joiner, or a mark that "
                  L"turns the writing direction): two names would look alike but be two groups."),
    string(22100, L"The data file \"%s\" cannot be a Windows file name: it must not contain any of these "
                  L"characters: \\ / : * ? \" < > |"),
    string(22101, L"The sub-folder \"%s\" cannot be a Windows folder name: it must not contain any of these "
                  L"characters: : * ? \" < > |"),
    string(22102, L"The sub-folder \"%s\" leaves the data path: it must not begin with \\ or a drive, nor go up "
                  L"with \"..\"."),
    string(22103, L"Row %d (%s): %s"),
    string(22104, L"Every row of the group: %s"),
    string(22105, L"An account named \"%s\" exists already. Choose another user name."),
    string(22106, L"Remove the account \"%s\"?"),
    string(22107, L"The account \"%s\" is the last administrator and cannot be removed while access control is on: "
                  L"nobody could manage the accounts any more. Give another account the role Administrator first."),
    string(22108, L"The account \"%s\" is the last administrator and keeps that role while access control is on: "
                  L"nobody could manage the accounts any more. Give another account the role Administrator first."),
    string(22109, L"Logged on: %s"),
    string(22140, L"Group"),
    string(22141, L"Check the groups the queue runs: Space or a click on a group's box checks it."),
    string(22142, L"Another Orvane runs group %s now: the queue cannot hold it."),
    string(22143, L"Queue: group %d of %d, %s."),
    string(22144, L"Serion queue started: %s."),
    string(22145, L"Serion queue goes on with group %s."),
    string(22146, L"Serion queue ended."),
    string(22147, L"Serion queue stopped in group %s; Continue goes on with it and the rest of the queue."),
    string(22180, L"The password could not be hashed: the memory it needs is not free. Nothing was saved."),
    string(22181, L"No."),
    string(22182, L"Time"),
    string(22183, L"User"),
    string(22184, L"Instrument"),
    string(22185, L"Group"),
    string(22186, L"Event"),
    string(22187, L"Old value"),
    string(22188, L"New value"),
    string(22189, L"(all)"),
    string(22190, L"%d of %d records shown, newest first."),
    string(22191, L"All %d records of the audit trail are intact."),
    string(22192, L"The audit trail is broken: record %d was changed after it was written."),
    string(22193, L"The audit trail is broken: record %d was removed."),
    string(22194, L"The audit trail is broken: record %d was inserted afterwards."),
    string(22195, L"%d records exported to %s."),
    string(22196, L"The records could not be written to %s."),
    string(22197, L"Type the name of the file to export the shown records to."),
    string(22198, L"Sequence,UTC time,Local time,User,Instrument,Group,Event,Old value,New value,Hash"),
    string(22199, L"Five logons in a row failed for the account \"%s\": it is refused until %s. "
                  L"Try again then."),
    string(22220, L"%d rows of %s exported to %s."),
    string(22221, L"The rows could not be written to %s."),
    string(22222, L"Type the name of the file to export the rows to: a name ending in .json gives JSON, any other CSV."),
    string(22240, L"Instrument %s runs this group now. It can be run here once that run has ended."),
    string(22241, L"Instrument %s runs group %s now. It cannot be changed or deleted here until that run has ended."),
    string(32770, L"Adds the selected FIA methods\nAdd New Method"),
    string(32771, L"Deletes the selected FIA Method\nDelete Selected Method"),
    string(32772, L"Edit current method information\nEdit Method Info"),
    string(32773, L"Create a new method Group\nNew Group"),
    string(32774, L"Delete current group\nDelete Group"),
    string(32775, L"Automatically re-name all data files\nAuto Name"),
    string(32776, L"Appends the selected FIA methods just below the selected row\nAppend New Method"),
    string(32777, L"Checks All methods in the group\nCheck All"),
    string(32778, L"Removes Check for all methods in the group\nUncheck All"),
    string(32779, L"Add/Remove user\nAdd/Remove user"),
    string(32780, L"Lock Serion and Orvane\nLock Orvane"),
    string(32781, L"\\helpenu\\Orvane.chm"),
    string(32782, L"Runs the group on from its first row that has not completed\nContinue"),
    string(32783, L"Ends the run when the running method has ended\nStop After This Method"),
    string(32784, L"Runs several groups one after another\nRun Queue"),
    string(32785, L"Writes the shown group's rows and their results to a CSV or JSON file\nExport Results"),
    string(32786, L"Adds the rows of a CSV worklist to the shown group or to a new group\nImport Worklist"),
    string(32787, L"Lists who changed what in the worklist and checks that no record was altered\nAudit Trail"),
};

} // namespace

std::span<const ResourceEntry> StringTableResources() { return entries; }
