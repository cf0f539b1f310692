// Resource ids of the pen settings in the main dialog.
#pragma once
