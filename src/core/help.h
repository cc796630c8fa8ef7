#pragma once
// The field's help screen: the keys, then a key to go back; '?' there opens the guide.
void help();
