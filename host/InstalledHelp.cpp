// The topics of the Serion windows: what each window does and how a lab user works with it.
#include "InstalledHelp.h"

std::string InstalledHelpFile()
{
    return R"(Orvane Help
[101901] Run Serion Methods
This window runs your FIA methods unattended, one after another, from a worklist. The worklist is made of groups; each group is a list of method rows, and each row runs one method once and writes one data file.

Choose a group
- "Select the group you want to run" shows the group's rows: the method, its data file and your comment.
- The picture at the left of a row tells its state: a checked box waits for its turn, a triangle runs now, a tick is done, a question mark failed, an empty box is left out of runs.
- Click a row's picture, or press Space on it, to check or uncheck it. Only checked rows run.

Run the group
- Choose what the instrument should do afterwards in "Shut down options after the run": nothing (the blank entry), STANDBY, LAMPALL OFF, PUMPALL OFF, or type a command of your own (at most 50 characters).
- Run starts the checked rows from the top. If data folders of an earlier run are in the way, you are asked whether to delete them first.
- Pause lets the running method finish and holds the next one back; Run goes on. Stop ends the running method and the group.
- While a group runs, the window cannot be closed and the group cannot be edited.

Edit the worklist
- Group > Add... (Ctrl+Alt+A) makes a new, empty group; Group > Delete (Ctrl+Alt+D) deletes the shown group with all its rows, after asking.
- Method > Add Method... (Ctrl+M; in a terminal, which sends Ctrl+M as Enter, F2 then M) adds methods from the method directory after the last selected row, or at the end.
- Method > Delete deletes the selected rows; Method > Properties ... (or a double click on a row) changes a row's sub-folder, data file, operator and comment.
- Group > Autoname... (Ctrl+Alt+N) gives every row of the group a new data file name.
- Method > Check All (Ctrl+A) and Uncheck All set every row at once.

While a group runs, a bar and a text under the list tell how far it is: "Row 3 of 12 - 1 failed - about 25 min left, ends 14:32", or in a narrow window "3/12 · 1 failed · ends 14:32". The time left is taken from how long each method took before in this worklist; in a queue it counts the groups still to come. While the run is paused the text says paused and how long the rest takes once you press Run. The list's Start, End, Duration and Result columns lie to the right: with the list focused, Right and Left scroll them, while the state picture and the method name stay in place.

When a method fails
- "On failure" (Alt+L) chooses what a failed row does to the run of its group: "Go on with the next method", "Pause the run" (the next row waits for Run) or "Stop the group" (the group ends with its shut-down command). The choice is stored with the group.
- "Emergency" (Alt+Y) is a command sent to the instrument once a run, when the failure policy pauses or stops it; when it stops, before the shut-down command. For example PUMPALL OFF.
- A row counts as failed when its method failed or was aborted, its method folder is missing, the host could not start it, or on an acquisition error, which ends the group whatever the policy.

Stop After This Method
- Group > Stop After This Method (>| on the tool bar) lets the running method end with its result and then ends the group with its shut-down command. The menu item is checked while it is armed; choose it again before the method ends to take it back.

Continue and interrupted rows
- When Orvane or the machine stopped while a method ran, that row shows the interrupted picture (a circling arrow) and the status bar says "Interrupted at row 2 (LEAK.M) of Nitrates: Group > Continue". When Serion opens, it shows the group whose run was interrupted.
- Group > Continue (>> on the tool bar) runs the group on without resetting anything: done and failed rows keep their results, the interrupted row runs again, then the checked rows after it. What the interrupted run wrote is kept beside its data folder ("...-interrupted.d"). After Stop, Continue runs the stopped row again (its message says "Stopped by" and who) and the rows after it. Run, in contrast, resets every row.
- "Command on recovery" (Alt+V) is sent to the instrument before an interrupted run continues, for example STANDBY. FIARUNNER CONTINUE in the start-up macro continues an interrupted run by itself after a power failure.

More windows
- Group > Run Queue... runs several groups one after another (F1 there tells how).
- Group > QC Rules... sets the checks of the shown group's results and what the run does when one fails (F1 there tells how).
- File > Export Results... writes the shown group's rows and results to a CSV or JSON file; File > Import Worklist... adds rows from a CSV file (F1 in each tells more).
- File > Audit Trail... lists every change to the worklist and every run step (F1 there tells more).

The tool bar under the menu offers the same commands; rest the mouse on a button to see what it does. The status bar at the bottom shows the instrument's state and the messages of the run.
[101902] Autoname Data files
This window names the data files of every row of the shown group at once, so that each run writes its data to a folder of its own.

- Subdirectory: the folder below the data path into which the group's data files go (at most 40 characters; empty for the data path itself).
- Prefix: the start of every data file name, for instance the sample series (at most 13 characters; may be empty).
- Counter: the number of the first row, a whole number from 0 to 999999. Each row gets the counter plus its place in the group.
- Operator: the user who is logged on. It is shown but cannot be changed here.

On OK every row's data file becomes the prefix, the row's number as ten digits and ".d". With prefix NIT and counter 5, the first row writes NIT0000000005.d, the second NIT0000000006.d. The sub-folder, prefix, counter and operator are stored with every row.

A counter that is not a whole number from 0 to 999999 is refused with a message, and the window stays open so that you can correct it. Cancel changes nothing.
[101903] Add Method(s)
This window adds methods from the method directory to the shown group.

- Current Method Path shows the method directory the methods come from.
- Select Method(s) lists the methods (*.M) of that directory. A method marked FI has FIA enabled in its FIA.REG; a method without the mark runs without FIA. Click a method to select it; Ctrl+click, Shift+click or Shift with the arrow keys selects more than one.
- FIA Table details shows the FIA table of the method you clicked last: each location (vial), its FIA sample name and the injections per location. It is only shown; the group does not store it.
- How many sample(s) for each method: every chosen method is added this many times, from 1 to 999.

OK adds the rows after the last selected row of the group, or at the end when no row is selected; a double click on a method adds that method at once. Each new row is checked, so that it runs with the group, and gets the data file name of the group's naming.

A method whose FIA.REG cannot be read is reported when the window opens and is listed without FIA. A sample count outside 1 to 999 is refused with a message and the window stays open. Cancel adds nothing.
[101904] Run Queue
This window runs several groups one after another, for example for the night.

- The list shows every group of the worklist with a box. Check the groups to run with Space or a click on the box.
- Move Up (Alt+U) and Move Down (Alt+D) put the selected group earlier or later; the queue runs from the top down.
- Start runs the queue. Before the first method starts, each group's questions are asked (old data, rows sharing a data folder), so that nothing waits for an answer during the night.

Each group runs its own checked rows with its own failure policy. Between two groups no shut-down command is sent: only the last group's, or the one of the group in which the queue stops. Pause holds the next row, also the first row of the next group. Stop, Stop After This Method, a failure policy "Stop the group" and an acquisition error stop the queue where it is; Group > Continue on that group runs its rows that were left and then the rest of the queue. The status bar tells where the queue stands ("Queue: group 2 of 3, Nitrites."), and the time left under the list counts the groups still to come.

Cancel runs nothing.
[101905] Export Results
This window writes the rows of the shown group, with what their last run left in them, to a file another program reads.

- Type the file's name, for example C:\Results\Nitrates.csv, and press Export. A name that ends in .json gives JSON, any other name CSV; both are UTF-8.
- The columns: row, method, data file, comments, sub-folder, checked, state, start, end (local time with its offset from UTC), duration in seconds, and message, the host's messages of a failed row.
- The line under the name says how many rows were written, or why the file could not be written: the folder does not exist, there is no permission to write it, or the disk is full.

Export only reads the worklist, so it can be used while the group runs. The window stays open for another file; Close ends it.
[101906] Import Worklist
This window adds rows from a CSV file, such as a worklist from a LIMS or an export of this module.

- Type the file's name and choose where the rows go: after the last row of the shown group, or into a new group with the name you type.
- The file's first line names its columns: method (required), data file, comments, sub-folder and checked, in any order; the other columns of an export are passed over.
- The whole file is checked before anything is written: a file with a bad line adds nothing, and the line under the name says which line and why. A good file adds all its rows as one step, recorded in the audit trail.

A row without a data file is named from the group's name. Import is an edit: it is not offered while the shown group runs. Close ends the window.
[101907] Audit Trail
This window lists every change to the worklist and every step of a run, newest first: who did what, when, on which instrument and group, with the old and the new value.

- Group and User narrow the list to one group or one user; From and To to a range of dates, each typed whole as YYYY-MM-DD.
- Each column is as wide as its texts when the window has room; in a narrow window the time shows without its year. Enter (or a double click) on a record shows its whole text.
- Export writes the shown records, oldest first, to the CSV file named in "Export to", and says how many it wrote or why the file could not be written.
- Verify reads the whole trail again and says whether it is intact, or names the first record that was changed, removed or inserted behind the module's back.

Reading the trail changes nothing, so it can be opened by every user, also while a group runs. Close ends the window.
[101908] QC Rules
This window sets the QC rules of the shown group: what each row's results are checked for while the group runs, and what the run does, without you, when a check fails.

- The list shows the group's rules in their order. Select a rule with the arrow keys or a click; the fields under the list show it, and what you change there changes the rule at once.
- Check (Alt+C): Recovery outside checks a check standard's concentration, in percent of its expected one, against the range from Limit (Alt+L) to "to" (Alt+O), for example 90 to 110; Blank above checks a blank's concentration against Limit; RSD above checks the relative standard deviation (%) of a sample's replicate injections against Limit; r² below checks the calibration's r² against Limit, above 0 and at most 1, for example 0.995.
- Action (Alt+A): "Rerun once" runs the row once more, as a row of its own; when that run fails the check too, "If the rerun fails" (Alt+I) says what follows. "Calibrate" runs the calibration group and then goes on with the next row; "Pause the run" holds the next row until you press Run; "Stop the group" ends the group with its emergency command.
- Calibration group (Alt+G): the group of the worklist that Calibrate runs.
- Add (Alt+D) adds a rule at the end; Remove (Alt+E) removes the selected one.

OK saves the rules as one change, recorded in the audit trail. A rule that cannot be kept, such as a limit that is not a number or a recovery range whose low limit is not below its high one, is named with what is wrong; nothing is saved, and everything you typed stays for you to correct. Cancel or Escape closes the window and saves nothing. The rules are an edit: they cannot be changed while the group runs.
)";
}
