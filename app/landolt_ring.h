// The Landolt ring of the vision test, drawn at its physical size.
#pragma once
