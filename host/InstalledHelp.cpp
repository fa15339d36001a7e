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
)";
}
