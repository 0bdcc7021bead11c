// a later game's C-like dialect in the same files
static long lighthouse_count = 1;
script startup instanced lighthouse_c()
{
	if (volume_test_object(trig_lighthouse, player_get(0))) {
		object_teleport(player_get(0), flag_top);
		ai_place(squad_a, 2, 3);
	}
}
