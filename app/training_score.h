// The training's scoring: the mean answer time, the push-ups owed and the plural forms.
#pragma once
