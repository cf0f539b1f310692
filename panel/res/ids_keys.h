// Resource ids of the express-key page.
#pragma once
