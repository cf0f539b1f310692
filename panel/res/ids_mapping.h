// Resource ids of the mapping page.
#pragma once
